#include "app/startup.h"

#include "desktop/single_instance.h"

#include "app/about_window.h"
#include "app/address_form.h"
#include "app/guide_window.h"
#include "app/load_window.h"
#include "app/look_choice.h"
#include "app/main_window.h"
#include "app/nm_http_component.h"
#include "app/window_look.h"
#include "platform/backend/display_backend.h"
#include "platform/components/class_registry.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/register_control_classes.h"
#include "platform/components/controls/tree_menu_classes.h"
#include "platform/gfx/resources.h"
#include "player/register_player_controls.h"
#include "skin/buttons/button_classes.h"
#include "skin/edits/edit_classes.h"
#include "skin/frame/frame_classes.h"
#include "skin/menus/menu_classes.h"
#include "skin/panels/panel_classes.h"
#include "skin/scroll/scroll_classes.h"
#include "skin/theme_data/theme_file_check.h"
#include "skin/views/view_classes.h"
#include "viewer/settings.h"

#include <cstdio>
#include <exception>
#include <malloc.h>
#include <memory>
#include <optional>
#include <stdexcept>

namespace pellamo {

namespace {

// "Pellamo 网络电视" in GBK, the encoding of every text the windows hold.
constexpr const char* kTitle = "Pellamo \xCD\xF8\xC2\xE7\xB5\xE7\xCA\xD3";

}

void RegisterPellamoClasses()
{
    RegisterControlClasses();
    RegisterPlayerControls();
    RegisterTreeMenuClasses();
    RegisterSkinFrameClasses();
    RegisterSkinMenuClasses();
    RegisterSkinPanelClasses();
    RegisterSkinEditClasses();
    RegisterButtonClasses();
    RegisterSkinScrollClasses();
    RegisterSkinViewClasses();
    RegisterClasses({ &TNMHTTPComponent::StaticClass(), &TForm1::StaticClass(), &TForm2::StaticClass(),
        &TForm4::StaticClass(), &TAddressForm::StaticClass(), &TGuideForm::StaticClass() });
}

PellamoWindows CreatePellamoWindows(TApplication& app, const PlayerLook& chosen, const LookMemory& memory)
{
    // The command line wins over what the skin menu chose last time.
    PlayerLook look = chosen;
    if (!look.Chosen() && memory.load) {
        look = memory.load();
        if (!look.theme_file.empty() && !ThemeFileProblem(look.theme_file).empty())
            look = {};
    }
    RegisterPellamoClasses();
    app.SetTitle(kTitle);
    app.SetIcon(Resources::LoadBitmap("MAINICON"));
    PellamoWindows windows;
    windows.main = app.CreateForm<TForm1>();
    windows.load = app.CreateForm<TForm4>();
    windows.load->SetMainWindow(windows.main);
    windows.about = app.CreateForm<TForm2>();
    windows.main->SetAboutWindow(windows.about);
    windows.main->SetLook(look);
    DressForm(*windows.about, look);
    windows.main->OnLookChosen = memory.save;
    return windows;
}

namespace {

// The look the skin menu chose last time, from the viewer's settings.
PlayerLook RememberedLook()
{
    Settings settings;
    if (!settings.Load())
        return {};
    std::optional<std::string> choice = settings.Get(Settings::kLookGroup, Settings::kLookChoice);
    return choice ? LookFromChoiceText(*choice) : PlayerLook {};
}

}

int RunPellamo(const PlayerOptions& options)
{
    const std::vector<std::string>& arguments = options.operands;
    // Before the display: a start from a terminal without one still reaches
    // the running player.
    std::unique_ptr<SingleInstance> instance;
    if (!options.new_instance) {
        instance = std::make_unique<SingleInstance>(EventLoop::Main(), arguments);
        if (instance->GetRole() == SingleInstance::Role::HandedOver)
            return 0;
    }
    std::unique_ptr<TApplication> app;
    try {
        app = std::make_unique<TApplication>(CreateDisplayBackend());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pellamo: cannot open the display: %s\n", e.what());
        return 1;
    }
    try {
        PellamoWindows windows = CreatePellamoWindows(*app, options.look, LookMemory { RememberedLook, {} });
        windows.main->OnLookChosen = [main = windows.main](const PlayerLook& chosen) { main->RememberLook(chosen); };
        if (instance)
            instance->OnOpen = [main = windows.main](const std::vector<std::string>& words) {
                main->BringToFront();
                if (!words.empty())
                    main->OpenItems(words);
            };
        // After the viewer's playlists are read (posted by the main window).
        windows.main->RestorePlacement();
        if (!arguments.empty())
            app->Loop().Post([main = windows.main, arguments] { main->OpenItems(arguments); });
        else if (options.resume)
            app->Loop().Post([main = windows.main] { main->ResumeLastChannel(); });
        if (!options.guides.empty())
            app->Loop().Post([main = windows.main, guides = options.guides] { main->AddGuides(guides); });
        // Reading the descriptions and building the trees leaves freed
        // memory behind; hand it back once the window is up.
        app->Loop().Post([] { malloc_trim(0); });
        app->Run();
    } catch (...) {
        app->HandleException(std::current_exception());
    }
    return 0;
}

}

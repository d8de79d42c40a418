#include "gallery/gallery_program.h"

#include "gallery/gallery_window.h"
#include "platform/backend/display_backend.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/components/class_registry.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/register_control_classes.h"
#include "platform/gfx/png_file.h"
#include "platform/loop/event_loop.h"
#include "platform/window/window_system.h"
#include "skin/buttons/button_classes.h"
#include "skin/checks/check_classes.h"
#include "skin/edits/edit_classes.h"
#include "skin/frame/frame_classes.h"
#include "skin/groups/group_classes.h"
#include "skin/menus/menu_classes.h"
#include "skin/notify/notify_classes.h"
#include "skin/panels/panel_classes.h"
#include "skin/progress/progress_classes.h"
#include "skin/scroll/scroll_classes.h"
#include "skin/theme/theme_classes.h"
#include "skin/theme_data/theme_file_check.h"
#include "skin/toolbars/toolbar_classes.h"
#include "skin/views/view_classes.h"

#include <chrono>
#include <exception>
#include <memory>
#include <ostream>
#include <stdexcept>

namespace pellamo {

namespace {

constexpr const char* kProgram = "pellamo-gallery";

std::vector<std::string> PageNames()
{
    std::vector<std::string> names;
    for (const GalleryPageInfo& page : GalleryPages())
        names.push_back(page.name);
    return names;
}

// Runs the loop for `time` on the real clock, then lets painting finish.
void Settle(EventLoop& loop, std::chrono::milliseconds time)
{
    auto until = std::chrono::steady_clock::now() + time;
    loop.WaitUntil([&] { return std::chrono::steady_clock::now() >= until; }, time + std::chrono::milliseconds(100));
    for (int i = 0; i < 20 && loop.ProcessMessages(); ++i) { }
}

// Slides and timers of a page's scene (a notification slides in) are over
// by then.
constexpr std::chrono::milliseconds kSceneTime { 600 };

}

void RegisterGalleryClasses()
{
    RegisterControlClasses();
    RegisterSkinThemeClasses();
    RegisterButtonClasses();
    RegisterCheckClasses();
    RegisterSkinEditClasses();
    RegisterSkinMenuClasses();
    RegisterSkinNotifyClasses();
    RegisterSkinPanelClasses();
    RegisterGroupClasses();
    RegisterProgressClasses();
    RegisterToolBarClasses();
    RegisterSkinFrameClasses();
    RegisterSkinScrollClasses();
    RegisterSkinViewClasses();
    RegisterClasses({ &TfrmGallery::StaticClass() });
}

void ApplyGalleryOptions(TfrmGallery& gallery, const GalleryOptions& options)
{
    if (options.style)
        gallery.SetStyle(*options.style);
    if (!options.theme_file.empty())
        gallery.LoadThemeFile(options.theme_file);
    if (!options.page.empty())
        gallery.ShowPage(options.page);
}

namespace {

// A gallery on a screen of its own, without a display.
struct HeadlessGallery {
    EventLoop loop;
    HeadlessBackend screen;
    TApplication app { screen, loop };
    TfrmGallery* gallery = nullptr;

    explicit HeadlessGallery(const GalleryOptions& options)
    {
        RegisterGalleryClasses();
        gallery = app.CreateForm<TfrmGallery>();
        ApplyGalleryOptions(*gallery, options);
        gallery->Show();
        Settle(loop, std::chrono::milliseconds(0));
    }

    // Plays the current page's scene; true when it had one.
    bool PlayScene()
    {
        bool played = gallery->PlayScene();
        Settle(loop, played ? kSceneTime : std::chrono::milliseconds(0));
        return played;
    }

    Bitmap Screenshot() { return screen.Screenshot().Crop(app.Windows().GetWindowRect(gallery->Handle())); }
};

}

Bitmap RenderGalleryScreenshot(const GalleryOptions& options)
{
    HeadlessGallery shown(options);
    shown.PlayScene();
    return shown.Screenshot();
}

std::vector<Bitmap> RenderGalleryScreenshots(const GalleryOptions& options, const std::vector<std::string>& pages)
{
    std::vector<Bitmap> shots;
    std::unique_ptr<HeadlessGallery> shown;
    for (const std::string& page : pages) {
        if (!shown)
            shown = std::make_unique<HeadlessGallery>(options);
        shown->gallery->ShowPage(page);
        Settle(shown->loop, std::chrono::milliseconds(0));
        bool played = shown->PlayScene();
        shots.push_back(shown->Screenshot());
        // A scene leaves its menu open or its notice up: the next page
        // starts afresh, as it would on its own.
        if (played)
            shown.reset();
    }
    return shots;
}

int RunGallery(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    GalleryOptions options;
    try {
        options = ParseGalleryOptions(args, PageNames());
    } catch (const GalleryUsageError& e) {
        err << kProgram << ": " << e.what() << "\nTry '" << kProgram << " --help'.\n";
        return 2;
    }
    if (options.help) {
        out << GalleryUsage(PageNames());
        return 0;
    }
    // Before any window: a theme file that cannot be used never dresses one
    // half.
    if (!options.theme_file.empty()) {
        if (std::string problem = ThemeFileProblem(options.theme_file); !problem.empty()) {
            err << kProgram << ": " << problem << "\n";
            return 2;
        }
    }
    if (!options.screenshot.empty()) {
        try {
            WritePngFile(RenderGalleryScreenshot(options), options.screenshot);
        } catch (const std::exception& e) {
            err << kProgram << ": " << e.what() << "\n";
            return 1;
        }
        return 0;
    }

    std::unique_ptr<TApplication> app;
    try {
        app = std::make_unique<TApplication>(CreateDisplayBackend());
    } catch (const std::exception& e) {
        err << kProgram << ": cannot open the display: " << e.what() << "\n";
        return 1;
    }
    try {
        RegisterGalleryClasses();
        app->SetTitle("Pellamo skin gallery");
        auto* gallery = app->CreateForm<TfrmGallery>();
        try {
            ApplyGalleryOptions(*gallery, options);
        } catch (const std::runtime_error& e) {
            // The theme file changed since it was looked at: no window
            // opens half dressed.
            err << kProgram << ": " << e.what() << "\n";
            return 2;
        }
        app->Run();
    } catch (...) {
        app->HandleException(std::current_exception());
    }
    return 0;
}

}

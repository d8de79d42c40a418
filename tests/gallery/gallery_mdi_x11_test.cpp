// The gallery's Windows page on a private X server, driven with real X
// input: its buttons open the MDI window with skinned children, tile them,
// and maximise one, whose control buttons then show in the frame's menu
// bar; the Window menu lists the children.
#include "gallery/gallery_program.h"
#include "gallery/gallery_window.h"
#include "platform/backend/x11/x11_backend.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/menu_item.h"
#include "platform/gfx/png_file.h"
#include "platform/window/window_system.h"
#include "skin/buttons/push_button.h"
#include "skin/buttons/tool_bar_speed_button.h"
#include "skin/frame/mdi_form.h"
#include "skin/theme/theme_source.h"
#include "tests/e2e/root_capture.h"
#include "tests/e2e/x11_application_test.h"
#include "tests/e2e/x_input.h"
#include "tests/e2e/xvfb_server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

namespace pellamo::test {
namespace {

template <class T>
T* FindOwned(
    TComponent& owner, const std::function<bool(T&)>& wanted = [](T&) { return true; })
{
    for (int i = 0; i < owner.ComponentCount(); ++i)
        if (auto* found = dynamic_cast<T*>(owner.Components(i)); found && wanted(*found))
            return found;
    return nullptr;
}

std::string WithoutAccessKey(std::string caption)
{
    std::erase(caption, '&');
    return caption;
}

// The page's buttons by caption (without its access key's mark).
TsuiButton* PageButton(TWinControl& parent, const std::string& caption)
{
    for (int i = 0; i < parent.ControlCount(); ++i) {
        if (auto* button = dynamic_cast<TsuiButton*>(parent.Controls(i));
            button && WithoutAccessKey(button->Caption()) == caption)
            return button;
        if (auto* inner = dynamic_cast<TWinControl*>(parent.Controls(i)))
            if (TsuiButton* button = PageButton(*inner, caption))
                return button;
    }
    return nullptr;
}

// Whether the screen shows more than one colour inside `r`.
bool Drawn(const Bitmap& shot, const Rect& r)
{
    std::set<TColor> colours;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            colours.insert(shot.GetPixel(x, y));
    return colours.size() > 1;
}

using GalleryWindowsPageOnX11 = X11ApplicationTest;

TEST_F(GalleryWindowsPageOnX11, OpensTilesAndMaximisesSkinnedChildrenOfTheMdiWindow)
{
    TApplication& app = *application;
    X11Backend& x11 = *backend;
    RegisterGalleryClasses();
    auto* gallery = app.CreateForm<TfrmGallery>();
    gallery->SetStyle(TsuiUIStyle::MacOS);
    ASSERT_TRUE(gallery->ShowPage("Windows"));
    gallery->Show();
    XInput input(server, loop, x11);
    input.Settle();
    WindowSystem& ws = app.Windows();
    auto click = [&](const std::string& caption) {
        TsuiButton* button = PageButton(*gallery->PagePanel("Windows"), caption);
        ASSERT_NE(button, nullptr) << caption;
        input.Do("mousemove " + At(button->ClientToScreen({ button->Width() / 2, button->Height() / 2 })) + " click 1");
    };

    click("Open MDI window");
    auto* window = FindOwned<TForm>(*gallery, [](TForm& f) { return f.FormStyle() == TFormStyle::fsMDIForm; });
    ASSERT_NE(window, nullptr) << "no MDI window opened";
    EXPECT_TRUE(window->Visible());
    ASSERT_EQ(window->MDIChildCount(), 3);
    auto* frame = FindOwned<TsuiMDIForm>(*window);
    ASSERT_NE(frame, nullptr);

    // Each child shows its skinned title at its top left, one picture row
    // down from its edge (the children overlap further down).
    Bitmap title = ThemeSource(nullptr, TsuiUIStyle::MacOS).Picture(ThemeItem::TitleBarLeftImage);
    ASSERT_FALSE(title.Empty());
    Bitmap shot = CaptureRoot(server.Display());
    ASSERT_EQ(shot.Width(), 1024) << "xwd or convert failed";
    for (int i = 0; i < window->MDIChildCount(); ++i) {
        Rect r = ws.GetWindowRect(window->MDIChildren(i)->Handle());
        EXPECT_EQ(shot.GetPixel(r.left + 12, r.top + 1), title.GetPixel(12, 1))
            << "child " << i << " has its skinned title";
    }
    // The Window menu lists them after its own items.
    TMenuItem* list = window->WindowMenu();
    ASSERT_NE(list, nullptr);
    std::string listed;
    for (int i = 0; i < list->Count(); ++i)
        listed += list->Items(i)->Caption() + "|";
    for (const char* child : { "Child 1", "Child 2", "Child 3" })
        EXPECT_NE(listed.find(child), std::string::npos) << listed;

    // Tiled, no two children overlap.
    click("Tile");
    for (int i = 0; i < 3; ++i)
        for (int j = i + 1; j < 3; ++j) {
            Rect a = window->MDIChildren(i)->BoundsRect();
            Rect b = window->MDIChildren(j)->BoundsRect();
            EXPECT_TRUE(a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top)
                << "children " << i << " and " << j << " overlap";
        }

    // Maximised, the child's control buttons come into the frame's menu bar.
    TsuiToolBarSpeedButton* close = frame->ControlButton(0);
    ASSERT_NE(close, nullptr);
    EXPECT_FALSE(close->Visible());
    click("Maximise the child");
    TForm* active = window->ActiveMDIChild();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->WindowState(), TWindowState::wsMaximized);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(frame->ControlButton(i)->Visible()) << "control button " << i;
    Rect close_on_screen = Rect::FromSize(
        close->ClientToScreen({ 0, 0 }).x, close->ClientToScreen({ 0, 0 }).y, close->Width(), close->Height());
    Bitmap maximised = CaptureRoot(server.Display());
    EXPECT_TRUE(Drawn(maximised, close_on_screen)) << "the close button is drawn on the screen";
    // Kept in the build tree for a person to look at.
    if (const char* build = std::getenv("PELLAMO_BINARY_DIR")) {
        std::filesystem::create_directories(std::string(build) + "/gallery_x11");
        WritePngFile(maximised, std::string(build) + "/gallery_x11/mdi-maximised.png");
    }

    // Its close button, clicked on the screen, closes the maximised child.
    input.Do("mousemove "
        + At({ (close_on_screen.left + close_on_screen.right) / 2, (close_on_screen.top + close_on_screen.bottom) / 2 })
        + " click 1");
    EXPECT_EQ(window->MDIChildCount(), 2);
}

}
}

// A skinned pop-up menu on a private Xvfb server, driven with real X input
// (xdotool): a right click opens it, keys and the mouse choose, and what X
// shows is the skin's picture.

#include "skin/menus/menu_classes.h"
#include "skin/menus/skin_popup_menu.h"

#include "platform/backend/x11/x11_backend.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/form.h"
#include "platform/components/controls/menu_window.h"
#include "platform/gfx/resources.h"
#include "tests/e2e/root_capture.h"
#include "tests/e2e/x11_application_test.h"
#include "tests/e2e/x_input.h"
#include "tests/e2e/xvfb_server.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pellamo::test {
namespace {

using SkinnedPopupOnX11 = X11ApplicationTest;

TEST_F(SkinnedPopupOnX11, ARightClickOpensItAndKeysAndTheMouseChoose)
{
    TApplication& app = *application;
    X11Backend& x11 = *backend;
    RegisterSkinMenuClasses();
    auto* form = app.CreateForm<TForm>();
    form->SetBounds(100, 100, 300, 200);
    form->Show();
    auto* popup = new TsuiPopupMenu(form);
    popup->SetUIStyle(TsuiUIStyle::MacOS);
    std::vector<std::string> clicks;
    for (const char* caption : { "Television", "-", "Radio" }) {
        auto* item = new TMenuItem(form);
        item->SetCaption(caption);
        item->OnClick = [&clicks, item](TObject*) { clicks.push_back(item->Caption()); };
        popup->Items()->Add(item);
    }
    form->SetPopupMenu(popup);

    XInput input(server, loop, x11);
    auto xdotool = [&](const std::string& args) { input.Do(args); };
    input.Settle();

    // Open by the mouse, choose by the keys.
    xdotool("mousemove 200 200 click 3");
    ASSERT_TRUE(popup->IsOpen());
    HWND menu = popup->Window()->Handle();
    EXPECT_EQ(app.Windows().GetWindowRect(menu).left, 200);
    EXPECT_EQ(app.Windows().GetWindowRect(menu).top, 200);
    Rect first = popup->Window()->ItemRect(0);
    Bitmap shot = CaptureRoot(server.Display());
    ASSERT_EQ(shot.Width(), 1024) << "xwd or convert failed";
    Bitmap bar = Resources::LoadBitmap("MACOS_MENU_BAR");
    EXPECT_EQ(shot.GetPixel(200 + first.left + 2, 200 + first.top + 1), bar.GetPixel(0, 1)) << "the pinstripes on X";
    xdotool("key Down Return");
    EXPECT_FALSE(popup->IsOpen());
    EXPECT_EQ(clicks, std::vector<std::string> { "Television" });

    // Open again and choose by the mouse; the item under it is highlighted.
    xdotool("mousemove 200 200 click 3");
    ASSERT_TRUE(popup->IsOpen());
    Rect radio = popup->Window()->ItemRect(2);
    Point over { 200 + (radio.left + radio.right) / 2, 200 + (radio.top + radio.bottom) / 2 };
    xdotool("mousemove " + std::to_string(over.x) + " " + std::to_string(over.y));
    shot = CaptureRoot(server.Display());
    Bitmap select = Resources::LoadBitmap("MACOS_MENU_SELECT");
    EXPECT_EQ(shot.GetPixel(200 + radio.left + 2, 200 + radio.top + 1), select.GetPixel(0, 1)) << "the highlight on X";
    xdotool("click 1");
    EXPECT_FALSE(popup->IsOpen());
    EXPECT_EQ(clicks, (std::vector<std::string> { "Television", "Radio" }));
}

}
}

// A skinned window on a private X server, without a window manager and
// under openbox, driven with real X input: the manager adds no decoration,
// dragging the title bar moves the window (the manager does it where one
// runs), the minimise button iconifies it and the close button ends the
// program.

#include "platform/backend/x11/x11_backend.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/form.h"
#include "platform/gfx/resources.h"
#include "platform/window/window_system.h"
#include "skin/frame/frame_classes.h"
#include "skin/frame/skin_form.h"
#include "tests/e2e/root_capture.h"
#include "tests/e2e/window_manager.h"
#include "tests/e2e/x_input.h"
#include "tests/e2e/xvfb_server.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace pellamo::test {
namespace {

class SkinFrameOnX11 : public ::testing::TestWithParam<bool> { };

TEST_P(SkinFrameOnX11, DragMinimiseAndCloseWithoutDecorationsOfTheManager)
{
    bool managed = GetParam();
    XvfbServer server;
    if (!server.Running())
        GTEST_SKIP() << "Xvfb could not be started";
    std::unique_ptr<WindowManagerSession> manager;
    if (managed) {
        manager = std::make_unique<WindowManagerSession>(server.Display());
        if (!manager->Running())
            GTEST_SKIP() << "openbox could not be started";
    }
    EventLoop loop;
    X11Backend x11(loop, server.Display().c_str());
    TApplication app(x11, loop);
    RegisterSkinFrameClasses();
    auto* form = app.CreateForm<TForm>();
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    form->SetCaption("Pellamo");
    form->SetBounds(200, 150, 400, 300);
    auto* frame = new TsuiForm(form);
    frame->SetUIStyle(TsuiUIStyle::MacOS);
    form->Show();
    XInput input(server, loop, x11);
    input.Settle();
    WindowSystem& ws = app.Windows();
    HWND host = form->Handle();
    unsigned long xid = x11.NativeWindow(ws.DisplayWindowOf(host));

    // Where we put it, with nothing of the manager's around it.
    EXPECT_EQ(ws.GetWindowRect(host), Rect::FromSize(200, 150, 400, 300));
    Bitmap shot = CaptureRoot(server.Display());
    ASSERT_EQ(shot.Width(), 1024) << "xwd or convert failed";
    EXPECT_EQ(shot.GetPixel(200, 300), 0x7F7F7F) << "our left border line at our left edge";
    EXPECT_EQ(shot.GetPixel(599, 300), 0x7F7F7F);
    EXPECT_EQ(shot.GetPixel(400, 449), 0x7F7F7F);
    Bitmap left = Resources::LoadBitmap("MACOS_TITLE_LEFT");
    EXPECT_EQ(shot.GetPixel(210, 151), left.GetPixel(10, 1)) << "our title picture at our top edge";
    if (managed) {
        std::string extents = CommandOutput(
            "xprop -display " + server.Display() + " -id " + std::to_string(xid) + " _NET_FRAME_EXTENTS");
        EXPECT_NE(extents.find("= 0, 0, 0, 0"), std::string::npos) << extents;
    }

    // Dragging the caption moves the window; dragging a button does not.
    Point grab = frame->TitleBar().ClientToScreen({ 150, 10 });
    input.Do("mousemove " + At(grab) + " mousedown 1");
    input.Do("mousemove " + At({ grab.x + 20, grab.y + 15 }));
    input.Do("mousemove " + At({ grab.x + 40, grab.y + 30 }));
    input.Do("mouseup 1");
    EXPECT_EQ(ws.GetWindowRect(host), Rect::FromSize(240, 180, 400, 300));
    EXPECT_EQ(CommandOutput("xwininfo -display " + server.Display() + " -id " + std::to_string(xid))
                  .find("Absolute upper-left X:  240")
            != std::string::npos,
        true)
        << "X agrees";
    auto button = [&](int index) {
        Rect r = frame->TitleBar().Layout().buttons.at(static_cast<size_t>(index));
        return frame->TitleBar().ClientToScreen({ (r.left + r.right) / 2, (r.top + r.bottom) / 2 });
    };
    Point close = button(1);
    input.Do("mousemove " + At(close) + " mousedown 1");
    input.Do("mousemove " + At({ close.x - 100, close.y + 40 }));
    input.Do("mouseup 1");
    EXPECT_EQ(ws.GetWindowRect(host), Rect::FromSize(240, 180, 400, 300));
    EXPECT_FALSE(app.Terminated()) << "released off the close button";

    // Minimise iconifies (without a manager the window is only hidden).
    input.Do("mousemove " + At(button(3)) + " click 1");
    EXPECT_TRUE(ws.IsIconic(host));
    std::string info = CommandOutput("xwininfo -display " + server.Display() + " -id " + std::to_string(xid));
    EXPECT_EQ(info.find("IsViewable"), std::string::npos) << info;
    if (managed) {
        std::string state
            = CommandOutput("xprop -display " + server.Display() + " -id " + std::to_string(xid) + " WM_STATE");
        EXPECT_NE(state.find("Iconic"), std::string::npos) << state;
    }
    ws.ShowWindow(host, SW_RESTORE);
    input.Settle();
    EXPECT_FALSE(ws.IsIconic(host));
    EXPECT_NE(CommandOutput("xwininfo -display " + server.Display() + " -id " + std::to_string(xid)).find("IsViewable"),
        std::string::npos);

    // The close button ends the program.
    input.Do("mousemove " + At(button(1)) + " click 1");
    EXPECT_TRUE(app.Terminated());
}

INSTANTIATE_TEST_SUITE_P(Skin, SkinFrameOnX11, ::testing::Values(false, true),
    [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "UnderOpenbox" : "WithoutAWindowManager"; });

}
}

// A skinned MDI frame with three children on a private X server, driven
// with real X input: the frame's border on the screen, a click activating a
// child, dragging one by its caption, Ctrl+F6 moving on, Ctrl+F4 closing, and a child's maximise button
// filling the client.

#include "platform/backend/x11/x11_backend.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/form.h"
#include "platform/window/non_client.h"
#include "platform/window/window_system.h"
#include "skin/frame/frame_classes.h"
#include "skin/frame/mdi_form.h"
#include "tests/e2e/root_capture.h"
#include "tests/e2e/x11_application_test.h"
#include "tests/e2e/x_input.h"
#include "tests/e2e/xvfb_server.h"

#include <gtest/gtest.h>

#include <string>

namespace pellamo::test {
namespace {

using MdiFrameOnX11 = X11ApplicationTest;

TEST_F(MdiFrameOnX11, ChildrenByMouseAndKeyboard)
{
    TApplication& app = *application;
    X11Backend& x11 = *backend;
    RegisterSkinFrameClasses();
    auto* form = app.CreateForm<TForm>();
    form->SetFormStyle(TFormStyle::fsMDIForm);
    form->SetCaption("Frame");
    form->SetBounds(100, 100, 600, 400);
    auto* frame = new TsuiMDIForm(form);
    frame->SetUIStyle(TsuiUIStyle::MacOS);
    std::vector<TForm*> children;
    for (int i = 0; i < 3; ++i) {
        auto* child = new TForm(form);
        child->SetFormStyle(TFormStyle::fsMDIChild);
        child->SetCaption("Child " + std::to_string(i + 1));
        child->SetBounds(20 + 160 * i, 20, 150, 120);
        children.push_back(child);
    }
    form->Show();
    for (TForm* child : children)
        child->Show();
    XInput input(server, loop, x11);
    input.Settle();
    WindowSystem& ws = app.Windows();
    ASSERT_EQ(form->ActiveMDIChild(), children[2]);

    Bitmap shot = CaptureRoot(server.Display());
    ASSERT_EQ(shot.Width(), 1024) << "xwd or convert failed";
    EXPECT_EQ(shot.GetPixel(100, 300), 0x7F7F7F) << "the skinned border at the frame's left edge";
    Point client_corner = ws.ClientToScreen(form->ClientHandle(), { 0, 0 });
    Rect client = ws.GetClientRect(form->ClientHandle());
    EXPECT_EQ(shot.GetPixel(client_corner.x + client.right - 5, client_corner.y + client.bottom - 5), 0x808080)
        << "the client's ground beside the children";

    // A click into the first child activates it.
    input.Do("mousemove " + At(children[0]->ClientToScreen({ 40, 40 })) + " click 1");
    EXPECT_EQ(form->ActiveMDIChild(), children[0]);

    // Dragging its caption moves it inside the client, by as much as the
    // pointer moved, also when the pointer is on its way before the
    // program sees the press.
    HWND first = children[0]->Handle();
    Rect before = ws.GetWindowRect(first);
    Point grip { before.left + 40, before.top + 10 };
    input.Do("mousemove " + At(grip) + " mousedown 1 mousemove " + At({ grip.x + 15, grip.y + 10 }) + " mousemove "
        + At({ grip.x + 30, grip.y + 20 }) + " mouseup 1");
    EXPECT_EQ(ws.GetWindowRect(first), before.Offset(30, 20));
    EXPECT_EQ(ws.GetParent(first), form->ClientHandle());

    // Ctrl+F6 goes on to the next child; Ctrl+F4 closes the active one.
    input.Do("key ctrl+F6");
    TForm* next = form->ActiveMDIChild();
    EXPECT_NE(next, children[0]);
    ASSERT_NE(next, nullptr);
    input.Do("key ctrl+F4");
    input.Settle();
    EXPECT_EQ(form->MDIChildCount(), 2);
    TForm* active = form->ActiveMDIChild();
    ASSERT_NE(active, nullptr);

    // The maximise button of the child's caption fills the client.
    HWND h = active->Handle();
    Rect outer = ws.GetWindowRect(h);
    Rect max = NonClient::CaptionButtonRect(
        { outer.Width(), outer.Height() }, ws.GetStyle(h), ws.GetExStyle(h), HTMAXBUTTON);
    input.Do("mousemove " + At({ outer.left + (max.left + max.right) / 2, outer.top + (max.top + max.bottom) / 2 })
        + " click 1");
    EXPECT_EQ(active->WindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(ws.ClientToScreen(h, { 0, 0 }), client_corner);
    EXPECT_EQ(active->ClientWidth(), client.Width());
    EXPECT_EQ(active->ClientHeight(), client.Height());
}

}
}

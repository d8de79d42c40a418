// A desktop finds a program's windows by their process, class and name (task
// bars group them, `xdotool search --pid`, `wmctrl -p`): each top-level window
// says which program and process it belongs to.

#include "tests/e2e/x11_screen_test.h"
#include "tests/support/command_output.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

namespace pellamo::test {
namespace {

class X11WindowIdentity : public X11ScreenTest { };

TEST_F(X11WindowIdentity, WindowsNameTheirProcessAndClass)
{
    windows->RegisterClass({ "Plain", {} });
    CreateWindowParams params;
    params.class_name = "Plain";
    params.text = "IdentityTest";
    params.style = WS_POPUP;
    params.bounds = Rect::FromSize(10, 10, 120, 80);
    HWND top = windows->CreateWindowEx(params);
    windows->ShowWindow(top, SW_SHOW);
    backend->Sync();

    std::string display = "DISPLAY=" + server.Display() + " ";
    std::string by_name = CommandOutput(display + "xdotool search --name '^IdentityTest$'");
    ASSERT_FALSE(by_name.empty());
    std::string pid = std::to_string(getpid());
    EXPECT_EQ(by_name, CommandOutput(display + "xdotool search --all --pid " + pid + " --name '^IdentityTest$'"));
    EXPECT_EQ(by_name, CommandOutput(display + "xdotool search --all --pid " + pid + " --class '^Pellamo$'"));
}

}
}

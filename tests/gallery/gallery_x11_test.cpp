// The real pellamo-gallery on a private Xvfb server: it starts in one
// style, a click on another style's button (xdotool) redresses it, and the
// X server's own pixels show the new style.
#include "gallery/gallery_window.h"
#include "skin/checks/radio_button.h"
#include "skin/theme/theme_source.h"
#include "tests/e2e/root_capture.h"
#include "tests/e2e/xvfb_server.h"
#include "tests/gallery/gallery_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

// The program, started with its own environment; ended with the test.
class RunningProgram {
public:
    RunningProgram(const std::vector<std::string>& argv, const std::vector<std::string>& extra_env)
    {
        std::vector<std::string> env = extra_env;
        for (char** e = environ; *e; ++e)
            env.emplace_back(*e); // the first of a name wins
        std::vector<char*> args, envp;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        for (const std::string& e : env)
            envp.push_back(const_cast<char*>(e.c_str()));
        envp.push_back(nullptr);
        if (posix_spawn(&m_pid, args[0], nullptr, nullptr, args.data(), envp.data()) != 0)
            m_pid = 0;
    }
    ~RunningProgram()
    {
        if (m_pid) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    bool Started() const { return m_pid != 0; }

private:
    pid_t m_pid = 0;
};

std::string Output(const std::string& command)
{
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        pclose(pipe);
    }
    return text;
}

int ShellValue(const std::string& shell_text, const std::string& name)
{
    size_t at = shell_text.find(name + "=");
    return at == std::string::npos ? -1 : std::atoi(shell_text.c_str() + at + name.size() + 1);
}

// Where, from the window's outer top left, the gallery has a style button
// and a point of bare background: measured on the headless screen, which
// lays the window out as X does.
class GalleryOnX11 : public GalleryFixture {
protected:
    Point FromWindow(TWinControl& control, Point client)
    {
        Rect window = ws().GetWindowRect(gallery->Handle());
        Point p = control.ClientToScreen(client);
        return { p.x - window.left, p.y - window.top };
    }
};

TEST_F(GalleryOnX11, AClickOnAStyleButtonRedressesTheRunningProgram)
{
    const Point background = FromWindow(*gallery, { gallery->ClientWidth() - 12, gallery->ClientHeight() - 60 });
    TsuiRadioButton& winxp = gallery->StyleButton(S::WinXP);
    const Point winxp_button = FromWindow(winxp, { 6, winxp.Height() / 2 });

    XvfbServer server;
    if (!server.Running())
        GTEST_SKIP() << "Xvfb could not be started";
    const std::string display = server.Display();
    RunningProgram program({ PELLAMO_GALLERY, "--style", "MacOS", "--page", "Checks" },
        { "DISPLAY=" + display, "ASAN_OPTIONS=detect_leaks=0" });
    ASSERT_TRUE(program.Started());
    const std::string xdotool = "DISPLAY=" + display + " timeout 20 xdotool ";
    std::string window = Output(xdotool + "search --sync --onlyvisible --name 'Pellamo skin gallery' | head -n 1");
    ASSERT_FALSE(window.empty()) << "the gallery's window did not appear";
    window.erase(window.find_last_not_of(" \n") + 1);
    std::string geometry = Output(xdotool + "getwindowgeometry --shell " + window);
    const Point origin { ShellValue(geometry, "X"), ShellValue(geometry, "Y") };
    ASSERT_GE(origin.x, 0) << geometry;

    // Whether the X server shows `color` at a point of the window within
    // `tries` looks, 200 ms apart.
    TColor seen = 0;
    auto shows = [&](Point at, TColor color, int tries) {
        for (int i = 0; i < tries; ++i) {
            seen = CaptureRoot(display).GetPixel(origin.x + at.x, origin.y + at.y);
            if (seen == color)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        return false;
    };
    const TColor macos_color = ThemeSource(nullptr, S::MacOS).Color(15);
    const TColor winxp_color = ThemeSource(nullptr, S::WinXP).Color(15);
    EXPECT_TRUE(shows(background, macos_color, 50)) << "the screen shows " << std::hex << seen << " instead of " << macos_color;

    // As a user does it: the pointer comes to rest on the button, then
    // clicks. On a busy machine a click can come before the program has
    // taken in the pointer's arrival, so a click that changes nothing is
    // tried again, as a user would.
    bool redressed = false;
    for (int click = 0; click < 3 && !redressed; ++click) {
        Output(xdotool + "mousemove --sync --window " + window + " " + std::to_string(winxp_button.x) + " "
            + std::to_string(winxp_button.y));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        Output(xdotool + "click 1");
        redressed = shows(background, winxp_color, 15);
    }
    EXPECT_TRUE(redressed) << "the screen shows " << std::hex << seen << " instead of " << winxp_color;
}

}
}

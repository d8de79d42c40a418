// The real pellamo-gallery on a private Xvfb server: started in each
// built-in style and from each exported theme file, the X server's pixels
// show the style's frame; a click on another style's button (xdotool)
// redresses it.
#include "gallery/gallery_window.h"
#include "platform/gfx/png_file.h"
#include "skin/checks/radio_button.h"
#include "skin/scroll/scroll_bar.h"
#include "skin/scroll/scroll_bar_look.h"
#include "skin/theme/theme_source.h"
#include "skin/views/skin_tree_view.h"
#include "tests/e2e/root_capture.h"
#include "tests/e2e/xvfb_server.h"
#include "tests/gallery/gallery_fixture.h"
#include "tests/support/command_output.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
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

int ShellValue(const std::string& shell_text, const std::string& name)
{
    size_t at = shell_text.find(name + "=");
    return at == std::string::npos ? -1 : std::atoi(shell_text.c_str() + at + name.size() + 1);
}

struct Window {
    std::string id;
    Rect bounds; // on the screen
};

// The gallery's window once it shows, or an empty id.
Window FindGallery(const std::string& xdotool)
{
    Window window;
    window.id = CommandOutput(xdotool + "search --sync --onlyvisible --name 'Pellamo skin gallery' | head -n 1");
    if (window.id.empty())
        return window;
    window.id.erase(window.id.find_last_not_of(" \n") + 1);
    std::string geometry = CommandOutput(xdotool + "getwindowgeometry --shell " + window.id);
    window.bounds = Rect::FromSize(ShellValue(geometry, "X"), ShellValue(geometry, "Y"), ShellValue(geometry, "WIDTH"),
        ShellValue(geometry, "HEIGHT"));
    return window;
}

TEST(GalleryStartedOnX11, EachStyleAndExportedThemeShowsItsFrameBorderAndTitleBarHeight)
{
    XvfbServer server;
    if (!server.Running())
        GTEST_SKIP() << "Xvfb could not be started";
    const std::string display = server.Display();
    const std::string xdotool = "DISPLAY=" + display + " timeout 20 xdotool ";
    // The captures stay in the build tree for a person to look at.
    const char* build = std::getenv("PELLAMO_BINARY_DIR");
    const std::filesystem::path shots = std::filesystem::path(build ? build : ".") / "gallery_x11";
    std::filesystem::create_directories(shots);

    struct Style {
        S style;
        const char* name;
    } const styles[] = { { S::MacOS, "MacOS" }, { S::WinXP, "WinXP" }, { S::DeepBlue, "DeepBlue" },
        { S::Protein, "Protein" }, { S::BlueGlass, "BlueGlass" } };
    for (const auto& [built_in, style] : styles) {
        ThemeSource theme(nullptr, built_in);
        const TColor border = theme.Color(ThemeItem::FormBorderColor);
        const Bitmap title = theme.Picture(ThemeItem::TitleBarLeftImage);
        ASSERT_GT(title.Height(), 8);
        for (bool from_file : { false, true }) {
            const std::string look = from_file ? std::string("theme-") + style : style;
            SCOPED_TRACE(look);
            RunningProgram program(
                { PELLAMO_GALLERY, from_file ? "--theme" : "--style", from_file ? ExportedTheme(style) : style },
                { "DISPLAY=" + display, "ASAN_OPTIONS=detect_leaks=0" });
            ASSERT_TRUE(program.Started());
            Window window = FindGallery(xdotool);
            ASSERT_FALSE(window.id.empty()) << "the gallery's window did not appear";
            ASSERT_GT(window.bounds.Width(), 700);
            // Painted once its left border shows, within 10 s.
            Bitmap shot;
            const Point left_edge { window.bounds.left, window.bounds.top + window.bounds.Height() / 2 };
            for (int i = 0; i < 50; ++i) {
                shot = CaptureRoot(display);
                if (shot.GetPixel(left_edge.x, left_edge.y) == border)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
            ASSERT_EQ(shot.Width(), 1024) << "xwd or convert failed";
            Bitmap capture = shot.Crop(window.bounds);
            WritePngFile(capture, (shots / (look + ".png")).string());

            EXPECT_EQ(capture.GetPixel(0, capture.Height() / 2), border) << "left border";
            EXPECT_EQ(capture.GetPixel(capture.Width() - 1, capture.Height() / 2), border) << "right border";
            EXPECT_EQ(capture.GetPixel(capture.Width() / 2, capture.Height() - 1), border) << "bottom border";
            // The last column of the title's left picture, its top and
            // bottom rows (the icon and the caption lie between): the bar
            // is as tall as the picture.
            const int x = title.Width() - 1;
            for (int y : { 3, 4, title.Height() - 3, title.Height() - 2, title.Height() - 1 })
                EXPECT_EQ(capture.GetPixel(x, y), title.GetPixel(x, y)) << "title bar row " << y;
        }
    }
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
    std::string window
        = CommandOutput(xdotool + "search --sync --onlyvisible --name 'Pellamo skin gallery' | head -n 1");
    ASSERT_FALSE(window.empty()) << "the gallery's window did not appear";
    window.erase(window.find_last_not_of(" \n") + 1);
    std::string geometry = CommandOutput(xdotool + "getwindowgeometry --shell " + window);
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
    const TColor macos_color = ThemeSource(nullptr, S::MacOS).Color(ThemeItem::FormBackgroundColor);
    const TColor winxp_color = ThemeSource(nullptr, S::WinXP).Color(ThemeItem::FormBackgroundColor);
    EXPECT_TRUE(shows(background, macos_color, 50))
        << "the screen shows " << std::hex << seen << " instead of " << macos_color;

    // As a viewer does it: the pointer comes in onto the button and
    // clicks at once.
    CommandOutput(xdotool + "mousemove --window " + window + " " + std::to_string(winxp_button.x) + " "
        + std::to_string(winxp_button.y) + " click 1");
    EXPECT_TRUE(shows(background, winxp_color, 50))
        << "the screen shows " << std::hex << seen << " instead of " << winxp_color;
}

// The Views page's tree has names wider than itself: X shows its skinned
// horizontal bar, and a click on the bar's right arrow moves the names.
TEST_F(GalleryOnX11, TheTreesHorizontalBarShowsAndScrollsTheNamesSideways)
{
    ASSERT_TRUE(gallery->ShowPage("Views"));
    Pump();
    auto* tree = OnPage<TsuiTreeView>("Views");
    ASSERT_NE(tree, nullptr);
    TsuiScrollBar* hbar = tree->HScrollBar();
    ASSERT_NE(hbar, nullptr);
    ASSERT_TRUE(hbar->Visible()) << "the names are wider than the tree";
    const TColor track = ResolveScrollBarLook(ThemeSource(nullptr, S::MacOS), false).track_color;
    const Point track_point = FromWindow(*hbar, { hbar->Width() - 30, hbar->Height() / 2 });
    ASSERT_EQ(WindowPixel(*gallery, track_point), track) << "beyond the slider on the headless screen";
    const Point right_arrow = FromWindow(*hbar, { hbar->Width() - 6, hbar->Height() / 2 });
    // The rows' strip, clear of both bars.
    const Point rows_from = FromWindow(*tree, { 0, 0 });
    const Point rows_to = FromWindow(*tree, { tree->ClientWidth(), tree->ClientHeight() });

    XvfbServer server;
    if (!server.Running())
        GTEST_SKIP() << "Xvfb could not be started";
    const std::string display = server.Display();
    RunningProgram program({ PELLAMO_GALLERY, "--style", "MacOS", "--page", "Views" },
        { "DISPLAY=" + display, "ASAN_OPTIONS=detect_leaks=0" });
    ASSERT_TRUE(program.Started());
    const std::string xdotool = "DISPLAY=" + display + " timeout 20 xdotool ";
    Window window = FindGallery(xdotool);
    ASSERT_FALSE(window.id.empty()) << "the gallery's window did not appear";
    const Point origin { window.bounds.left, window.bounds.top };
    auto rows = [&] {
        return CaptureRoot(display).Crop(
            Rect { origin.x + rows_from.x, origin.y + rows_from.y, origin.x + rows_to.x, origin.y + rows_to.y });
    };
    TColor seen = 0;
    bool shown = false;
    for (int i = 0; i < 50 && !shown; ++i) {
        seen = CaptureRoot(display).GetPixel(origin.x + track_point.x, origin.y + track_point.y);
        shown = seen == track;
        if (!shown)
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    ASSERT_TRUE(shown) << "the screen shows " << std::hex << seen << " where the bar's track should be";

    const Bitmap before = rows();
    CommandOutput(xdotool + "mousemove --window " + window.id + " " + std::to_string(right_arrow.x) + " "
        + std::to_string(right_arrow.y) + " click --repeat 3 1");
    bool moved = false;
    for (int i = 0; i < 50 && !moved; ++i) {
        moved = !(rows() == before);
        if (!moved)
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    EXPECT_TRUE(moved) << "the names did not move";
}

}
}

// The real pellamo program: its command line answered without a display
// (help, and every kind of bad use with exit status 2 and no window), and,
// under a private Xvfb server, its main window in each built-in style and
// from each exported theme file: the frame's border colour and title-bar
// height read back from the X server's pixels, and the menu bar, caption
// panel and tree apart from each other, also after the skin menu changed
// the look.
#include "platform/components/enum_info.h"
#include "skin/theme/file_theme.h"
#include "skin/theme/theme_source.h"
#include "tests/e2e/root_capture.h"
#include "tests/e2e/xvfb_server.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sys/wait.h>
#include <thread>

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

// The title bar sits this far inside the window's edge.
constexpr int kFrameInset = 3;

struct Outcome {
    std::string output; // standard output and error together
    int status = -1;
};

// Runs `shell_command` to its end.
Outcome RunShell(const std::string& shell_command)
{
    Outcome outcome;
    if (FILE* pipe = popen((shell_command + " 2>&1").c_str(), "r")) {
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe))
            outcome.output += buffer;
        int status = pclose(pipe);
        outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return outcome;
}

std::string ThemeFileOf(S style)
{
    const char* build = std::getenv("PELLAMO_BINARY_DIR");
    return std::string(build ? build : ".") + "/themes/" + UIStyleNames().Name(static_cast<int>(style)) + ".sui";
}

// Without a display, so that a window the program tried to open would fail
// it with exit status 1 instead of 0 or 2.
std::string Headless(const std::string& args)
{
    return "env -u DISPLAY -u WAYLAND_DISPLAY ASAN_OPTIONS=detect_leaks=0 " PELLAMO_PLAYER " " + args;
}

TEST(PlayerProgram, HelpIsShownWithoutADisplay)
{
    for (const char* option : { "--help", "-h", "a.m3u --help" }) {
        SCOPED_TRACE(option);
        Outcome run = RunShell(Headless(option));
        EXPECT_EQ(run.status, 0) << run.output;
        EXPECT_NE(run.output.find("Usage: pellamo"), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("--theme FILE.sui"), std::string::npos);
    }
}

TEST(PlayerProgram, BadUseEndsWithStatusTwoAndAMessageBeforeAnyWindow)
{
    TempDir dir;
    const std::string not_theme = dir.Path() + "/notes.sui";
    std::ofstream(not_theme) << "just some text\n";
    // The start of a real theme file, cut off.
    const std::string damaged = dir.Path() + "/damaged.sui";
    {
        std::ifstream whole(ThemeFileOf(S::WinXP), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
        ASSERT_GT(bytes.size(), 4000u);
        std::ofstream(damaged, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    }
    struct Case {
        std::string args;
        std::string message_part;
    } cases[] = {
        { "--style Aqua", "pellamo: unknown style \"Aqua\"" },
        { "--colour red", "pellamo: unknown option \"--colour\"" },
        { "--style", "pellamo: --style needs a value" },
        { "--style MacOS --theme x.sui", "cannot be used together" },
        { "--theme " + dir.Path() + "/missing.sui", "missing.sui: no such file" },
        { "--theme " + dir.Path(), "not a file" },
        { "--theme " + not_theme, "notes.sui: " },
        { "--theme " + damaged, "damaged.sui" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        Outcome run = RunShell(Headless(c.args));
        EXPECT_EQ(run.status, 2) << run.output;
        EXPECT_NE(run.output.find(c.message_part), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find("display"), std::string::npos) << "no display wanted: " << run.output;
    }
    // Bad use of options is pointed to --help; a bad file is not.
    EXPECT_NE(RunShell(Headless("--colour")).output.find("pellamo --help"), std::string::npos);
}

// The program on a private X server, ended with the test.
class PlayerOnX11 : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new XvfbServer; }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }
    void SetUp() override
    {
        if (!server->Running())
            GTEST_SKIP() << "Xvfb could not be started";
        if (RunShell("command -v xdotool").status != 0)
            GTEST_SKIP() << "xdotool is missing";
    }
    static XvfbServer* server;
};
XvfbServer* PlayerOnX11::server = nullptr;

struct Window {
    int x = -1, y = -1, width = 0, height = 0;
};

int ShellValue(const std::string& shell_text, const std::string& name)
{
    size_t at = shell_text.find(name + "=");
    return at == std::string::npos ? -1 : std::atoi(shell_text.c_str() + at + name.size() + 1);
}

TEST_F(PlayerOnX11, EachStyleAndThemeFileDressesTheFrame)
{
    const std::string display = server->Display();
    TempDir config;
    for (bool from_file : { false, true }) {
        for (S style : { S::MacOS, S::WinXP, S::DeepBlue, S::Protein, S::BlueGlass }) {
            const std::string name = UIStyleNames().Name(static_cast<int>(style));
            const std::string option = from_file ? "--theme " + ThemeFileOf(style) : "--style " + name;
            SCOPED_TRACE(option);
            ComponentPtr<TsuiFileTheme> file_theme(new TsuiFileTheme(nullptr));
            if (from_file)
                file_theme->SetThemeFile(ThemeFileOf(style));
            ThemeSource theme(from_file ? file_theme.get() : nullptr, from_file ? S::FromThemeFile : style);
            const TColor border = theme.Color(ThemeItem::FormBorderColor); // the frame's border colour

            // Started in the background; its window's geometry read once it
            // shows, the screen captured, and the program ended.
            const std::string start = "DISPLAY=" + display + " XDG_CONFIG_HOME=" + config.Path()
                + " ASAN_OPTIONS=detect_leaks=0 " PELLAMO_PLAYER " " + option + " >/dev/null 2>&1 & echo $!";
            std::string pid = RunShell(start).output;
            pid.erase(pid.find_last_not_of(" \n") + 1);
            const std::string xdotool = "DISPLAY=" + display + " timeout 30 xdotool ";
            std::string id = RunShell(xdotool + "search --sync --onlyvisible --name '^Pellamo$' | head -n 1").output;
            ASSERT_FALSE(id.empty()) << "no window appeared";
            id.erase(id.find_last_not_of(" \n") + 1);
            std::string geometry = RunShell(xdotool + "getwindowgeometry --shell " + id).output;
            Window w { ShellValue(geometry, "X"), ShellValue(geometry, "Y"), ShellValue(geometry, "WIDTH"),
                ShellValue(geometry, "HEIGHT") };
            ASSERT_GT(w.width, 0) << geometry;
            TColor seen = 0;
            Bitmap screen;
            for (int i = 0; i < 25; ++i) {
                screen = CaptureRoot(display);
                seen = screen.GetPixel(w.x, w.y + w.height / 2);
                if (seen == border)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
            // The title bar (its picture's height, less the frame's inset)
            // ends where the menu bar's colour begins and holds, at the
            // right end of the bars where no menu title is drawn.
            const TColor menu = from_file && theme.Color(ThemeItem::MenuMenuBarColor) != -1
                ? theme.Color(ThemeItem::MenuMenuBarColor)
                : theme.Color(ThemeItem::FormBackgroundColor);
            const int title = theme.Picture(ThemeItem::TitleBarLeftImage).Height() - kFrameInset;
            auto menu_from = [&](int row) {
                for (int r = row; r < row + 6; ++r)
                    if (screen.GetPixel(w.x + w.width - 12, r) != menu)
                        return false;
                return true;
            };
            int menu_top = -1;
            for (int row = w.y; row < w.y + w.height / 2 && menu_top < 0; ++row)
                if (menu_from(row))
                    menu_top = row - w.y;
            // The MacOS menu bar is pinstriped, not one colour.
            if (style != S::MacOS) {
                EXPECT_EQ(menu_top, kFrameInset + title) << "title bar " << title << " high";
            }
            RunShell("kill " + pid + "; sleep 0.2; kill -9 " + pid + " 2>/dev/null");
            EXPECT_EQ(seen, border) << std::hex << "left border shows " << seen << " instead of " << border;
        }
    }
}

// The program started on the server, and its main window found.
class RunningPlayer {
public:
    RunningPlayer(const std::string& display, const std::string& config, const std::string& args)
        : xdotool_("DISPLAY=" + display + " timeout 30 xdotool ")
    {
        const std::string start = "DISPLAY=" + display + " XDG_CONFIG_HOME=" + config
            + " ASAN_OPTIONS=detect_leaks=0 " PELLAMO_PLAYER " " + args + " >/dev/null 2>&1 & echo $!";
        pid_ = RunShell(start).output;
        pid_.erase(pid_.find_last_not_of(" \n") + 1);
        id_ = RunShell(xdotool_ + "search --sync --onlyvisible --name '^Pellamo$' | head -n 1").output;
        id_.erase(id_.find_last_not_of(" \n") + 1);
    }
    ~RunningPlayer() { RunShell("kill " + pid_ + "; sleep 0.2; kill -9 " + pid_ + " 2>/dev/null"); }

    bool Up() const { return !id_.empty(); }
    Window Geometry() const
    {
        std::string geometry = RunShell(xdotool_ + "getwindowgeometry --shell " + id_).output;
        return { ShellValue(geometry, "X"), ShellValue(geometry, "Y"), ShellValue(geometry, "WIDTH"),
            ShellValue(geometry, "HEIGHT") };
    }
    // Keys as xdotool names them, to the main window.
    void Keys(const std::string& keys) const
    {
        RunShell(xdotool_ + "windowfocus --sync " + id_ + " key --delay 80 " + keys);
    }

private:
    std::string xdotool_;
    std::string pid_;
    std::string id_;
};

// What the main window shows below its title bar, read from the screen.
struct ContentsSeen {
    int tree_top = -1; // the tree's top border, in the window
    int menu_rows = 0; // rows of menu-bar colour right above it, in the tree's column
    int panel_menu_rows = 0; // the same in the caption panel's column
    int first_row_gap = -1; // white rows between the tree's border and its first row
};

constexpr TColor kWhite = 0xFFFFFF;
// Columns in the window: inside the tree right of its names, inside the
// caption panel right of the menu titles, and the tree's first row.
constexpr int kTreeColumn = 600;
constexpr int kPanelColumn = 300;
constexpr int kTreeRowFrom = 476;
constexpr int kTreeRowTo = 560;

ContentsSeen ReadContents(const Bitmap& screen, const Window& w, TColor menu)
{
    ContentsSeen seen;
    auto at = [&](int x, int y) { return screen.GetPixel(w.x + x, w.y + y); };
    // The tree's inside is white: its top border is the row above the
    // first white run.
    for (int y = 10; y < w.height / 2 && seen.tree_top < 0; ++y) {
        bool white = true;
        for (int r = 1; r <= 4; ++r)
            white = white && at(kTreeColumn, y + r) == kWhite;
        if (white && at(kTreeColumn, y) != kWhite)
            seen.tree_top = y;
    }
    if (seen.tree_top < 0)
        return seen;
    for (int y = seen.tree_top - 1; y > 0 && at(kTreeColumn, y) == menu; --y)
        ++seen.menu_rows;
    for (int y = seen.tree_top - 1; y > 0 && at(kPanelColumn, y) == menu; --y)
        ++seen.panel_menu_rows;
    for (int y = seen.tree_top + 1; y < seen.tree_top + 24 && seen.first_row_gap < 0; ++y)
        for (int x = kTreeRowFrom; x < kTreeRowTo; ++x)
            if (at(x, y) != kWhite) {
                seen.first_row_gap = y - seen.tree_top - 1;
                break;
            }
    return seen;
}

struct LookCase {
    S style;
    bool from_file;
};

// The tree and the panel start right below a whole menu bar (3 + title +
// 22 rows down), and the tree's first row stands whole below its border.
void ExpectApart(RunningPlayer& player, const std::string& display, const LookCase& look)
{
    ComponentPtr<TsuiFileTheme> file_theme(new TsuiFileTheme(nullptr));
    if (look.from_file)
        file_theme->SetThemeFile(ThemeFileOf(look.style));
    ThemeSource theme(look.from_file ? file_theme.get() : nullptr, look.from_file ? S::FromThemeFile : look.style);
    const TColor menu = look.from_file && theme.Color(ThemeItem::MenuMenuBarColor) != -1
        ? theme.Color(ThemeItem::MenuMenuBarColor)
        : theme.Color(ThemeItem::FormBackgroundColor);
    const int menu_bottom = kFrameInset + theme.Picture(ThemeItem::TitleBarLeftImage).Height() - kFrameInset + 22;
    ContentsSeen seen;
    Window w;
    // The look may still be changing: read until it settles.
    for (int i = 0; i < 25; ++i) {
        w = player.Geometry();
        seen = ReadContents(CaptureRoot(display), w, menu);
        if (seen.tree_top == menu_bottom && seen.first_row_gap > 0)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    EXPECT_EQ(seen.tree_top, menu_bottom);
    EXPECT_GT(seen.first_row_gap, 0) << "the first row is cut";
    // The MacOS menu bar is pinstriped, not one colour.
    if (look.style != S::MacOS) {
        EXPECT_GE(seen.menu_rows, 20) << "the tree covers the menu bar";
        EXPECT_GE(seen.panel_menu_rows, 20) << "the caption panel covers the menu bar";
    }
    // The window grew by what the title bar gained (and by what a wider
    // border takes at the bottom).
    EXPECT_GE(w.height, 435 + menu_bottom - 45);
    EXPECT_LE(w.height, 435 + menu_bottom - 45 + 2);
}

TEST_F(PlayerOnX11, InEveryLookTheMenuBarPanelAndTreeStandApart)
{
    TempDir config;
    const LookCase looks[] = { { S::MacOS, false }, { S::WinXP, false }, { S::DeepBlue, false }, { S::Protein, false },
        { S::BlueGlass, false }, { S::BlueGlass, true } };
    for (const LookCase& look : looks) {
        const std::string name = UIStyleNames().Name(static_cast<int>(look.style));
        const std::string option = look.from_file ? "--theme " + ThemeFileOf(look.style) : "--style " + name;
        SCOPED_TRACE(option);
        RunningPlayer player(server->Display(), config.Path(), option);
        ASSERT_TRUE(player.Up()) << "no window appeared";
        ExpectApart(player, server->Display(), look);
    }
}

TEST_F(PlayerOnX11, TheSkinMenuChangesTheLookWhileTheWindowIsOpen)
{
    TempDir config;
    RunningPlayer player(server->Display(), config.Path(), "");
    ASSERT_TRUE(player.Up()) << "no window appeared";
    ExpectApart(player, server->Display(), { S::MacOS, false });
    // F10 into the menu bar, to its third title "皮肤", open it, and down to
    // the style: MacOS is its first item.
    const S styles[] = { S::BlueGlass, S::WinXP, S::DeepBlue, S::Protein, S::MacOS };
    for (S style : styles) {
        SCOPED_TRACE(UIStyleNames().Name(static_cast<int>(style)));
        std::string keys = "F10 Right Right Down";
        for (int i = static_cast<int>(S::MacOS); i < static_cast<int>(style); ++i)
            keys += " Down";
        player.Keys(keys + " Return");
        ExpectApart(player, server->Display(), { style, false });
    }
}
}
}

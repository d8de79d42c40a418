#include "viewer/settings.h"

#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pellamo {
namespace {

using test::ReadFile;
using test::TempDir;

TEST(Settings, MissingFileIsEmptyAndFine)
{
    TempDir dir;
    Settings settings(std::filesystem::path(dir.Path()) / "pellamo" / "pellamo.ini");
    EXPECT_TRUE(settings.Load());
    EXPECT_EQ(settings.Problem(), "");
    EXPECT_EQ(settings.Get("player", "volume"), std::nullopt);
    EXPECT_EQ(settings.GetInt("player", "volume", 70, 0, 100), 70);
}

TEST(Settings, RoundTripKeepsUnknownKeysCommentsAndOrder)
{
    TempDir dir;
    std::string file = dir.Write("pellamo.ini",
        "# written by hand\n"
        "[player]\n"
        "volume = 40\n"
        "equaliser=rock\n"
        "\n"
        "; the window\n"
        "[window]\n"
        "left=10\n"
        "[someone.else]\n"
        "x=y=z\n");
    Settings settings(file);
    ASSERT_TRUE(settings.Load());
    EXPECT_EQ(settings.Get("player", "volume"), "40");
    EXPECT_EQ(settings.Get("someone.else", "x"), "y=z");
    settings.SetInt("player", "volume", 55);
    settings.SetBool("player", "mute", true);
    settings.Set("resume", "channel", "中央一台");
    ASSERT_TRUE(settings.Save());
    EXPECT_EQ(ReadFile(file),
        "# written by hand\n"
        "[player]\n"
        "volume=55\n"
        "equaliser=rock\n"
        "mute=true\n"
        "\n"
        "; the window\n"
        "[window]\n"
        "left=10\n"
        "[someone.else]\n"
        "x=y=z\n"
        "\n"
        "[resume]\n"
        "channel=中央一台\n");

    Settings again(file);
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.GetInt("player", "volume", 0, 0, 100), 55);
    EXPECT_TRUE(again.GetBool("player", "mute", false));
    EXPECT_EQ(again.Get("resume", "channel"), "中央一台");
    EXPECT_EQ(again.Get("player", "equaliser"), "rock");
}

TEST(Settings, ValuesOutOfRangeOrMalformedGiveTheFallback)
{
    TempDir dir;
    Settings settings(dir.Write("pellamo.ini", "[p]\na=150\nb=-3\nc=12abc\nd=maybe\ne=off\nf=\n"));
    ASSERT_TRUE(settings.Load());
    EXPECT_EQ(settings.GetInt("p", "a", 7, 0, 100), 7);
    EXPECT_EQ(settings.GetInt("p", "b", 7, 0, 100), 7);
    EXPECT_EQ(settings.GetInt("p", "b", 7, -5, 100), -3);
    EXPECT_EQ(settings.GetInt("p", "c", 7, 0, 100), 7);
    EXPECT_TRUE(settings.GetBool("p", "d", true));
    EXPECT_FALSE(settings.GetBool("p", "e", true));
    EXPECT_EQ(settings.Get("p", "f"), "");
}

TEST(Settings, ValuesStayOneLineAndNamesAreChecked)
{
    TempDir dir;
    std::string file = dir.Path() + "/pellamo.ini";
    Settings settings(file);
    ASSERT_TRUE(settings.Load());
    settings.Set("resume", "channel", "evil\n[player]\nvolume=0\r\x01");
    EXPECT_THROW(settings.Set("a b", "c", "x"), std::invalid_argument);
    EXPECT_THROW(settings.Set("a", "c=d", "x"), std::invalid_argument);
    EXPECT_THROW(settings.Set("", "c", "x"), std::invalid_argument);
    ASSERT_TRUE(settings.Save());
    Settings again(file);
    ASSERT_TRUE(again.Load()) << again.Problem();
    EXPECT_EQ(again.Get("player", "volume"), std::nullopt);
    EXPECT_EQ(again.Get("resume", "channel"), "evil [player] volume=0");
}

// Each of these gives the defaults, one problem line, and leaves the file
// alone until something is Set.
TEST(Settings, CorruptFileGivesDefaultsAndIsKeptUntilAChange)
{
    struct Case {
        const char* what;
        std::string content;
    } cases[] = {
        { "line that is no setting", "[player]\nvolume=10\nthis is not a setting\n" },
        { "broken heading", "[player\nvolume=10\n" },
        { "NUL byte", std::string("[player]\nvolume=1\0\n", 20) },
        { "not UTF-8", "[player]\nname=\xff\xfe\n" },
        { "binary", "\x89PNG\r\n\x1a\n" },
        { "too large", "[a]\n" + std::string(Settings::kMaxBytes, '#') },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        std::string file = dir.Write("pellamo.ini", c.content);
        Settings settings(file);
        EXPECT_FALSE(settings.Load());
        EXPECT_NE(settings.Problem(), "");
        EXPECT_NE(settings.Problem().find(file), std::string::npos) << settings.Problem();
        EXPECT_EQ(settings.Get("player", "volume"), std::nullopt);
        EXPECT_FALSE(settings.Save());
        EXPECT_EQ(ReadFile(file), c.content);

        settings.SetInt("player", "volume", 30);
        EXPECT_TRUE(settings.Save());
        EXPECT_EQ(ReadFile(file), "[player]\nvolume=30\n");
        EXPECT_EQ(ReadFile(file + ".bad"), c.content);
    }
}

TEST(Settings, UnreadableFileIsAProblemNotACrash)
{
    TempDir dir;
    std::filesystem::create_directories(dir.Path() + "/pellamo.ini");
    Settings settings(dir.Path() + "/pellamo.ini");
    EXPECT_FALSE(settings.Load());
    EXPECT_NE(settings.Problem(), "");
    EXPECT_FALSE(settings.Save());
}

TEST(Settings, SaveFailureThrowsAndLeavesNoTemporaryFile)
{
    TempDir dir;
    std::string blocker = dir.Write("config", "a file where the folder should be");
    Settings settings(blocker + "/pellamo.ini");
    EXPECT_FALSE(settings.Load());
    settings.Set("a", "b", "2");
    EXPECT_THROW(settings.Save(), std::runtime_error);
    EXPECT_EQ(ReadFile(blocker), "a file where the folder should be");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST(Settings, DefaultFileFollowsXdgConfigHome)
{
    const char* old = std::getenv("XDG_CONFIG_HOME");
    std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ(Settings::DefaultFile(), "/tmp/cfg/pellamo/pellamo.ini");
    setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(Settings::DefaultFile().filename(), "pellamo.ini");
    EXPECT_NE(Settings::DefaultFile().string().rfind("relative", 0), 0u);
    if (old)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

}
}

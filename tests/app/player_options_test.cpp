// The player's command line: options and operands mixed, values after a
// space or "=", "--" ending the options, and every kind of bad use.
#include "app/player_options.h"
#include "manual/program_manuals.h"

#include <gtest/gtest.h>

#include <regex>

namespace pellamo {
namespace {

using S = TsuiUIStyle;
using Args = std::vector<std::string>;

TEST(PlayerOptions, UsableCommandLines)
{
    struct Case {
        Args args;
        std::optional<S> style;
        std::string theme;
        bool help;
        Args operands;
    } cases[] = {
        { {}, std::nullopt, "", false, {} },
        { { "a.m3u", "http://tv.example/live" }, std::nullopt, "", false, { "a.m3u", "http://tv.example/live" } },
        { { "--style", "WinXP" }, S::WinXP, "", false, {} },
        { { "--style=blueglass", "x.m3u" }, S::BlueGlass, "", false, { "x.m3u" } },
        { { "x.m3u", "--style", "DEEPBLUE", "y.m3u" }, S::DeepBlue, "", false, { "x.m3u", "y.m3u" } },
        { { "--theme", "my.sui" }, std::nullopt, "my.sui", false, {} },
        { { "--theme=dir/a=b.sui" }, std::nullopt, "dir/a=b.sui", false, {} },
        // A value that looks like an option is still the value.
        { { "--theme", "--help" }, std::nullopt, "--help", false, {} },
        { { "-h" }, std::nullopt, "", true, {} },
        { { "a.m3u", "--help" }, std::nullopt, "", true, { "a.m3u" } },
        // After "--" nothing is an option.
        { { "--", "--style", "-h", "--" }, std::nullopt, "", false, { "--style", "-h", "--" } },
        // A lone "-" and other single-dash words are operands, as before.
        { { "-", "-x" }, std::nullopt, "", false, { "-", "-x" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        PlayerOptions options = ParsePlayerOptions(c.args);
        EXPECT_EQ(options.look.style, c.style);
        EXPECT_EQ(options.look.theme_file, c.theme);
        EXPECT_EQ(options.look.Chosen(), c.style || !c.theme.empty());
        EXPECT_EQ(options.help, c.help);
        EXPECT_EQ(options.operands, c.operands);
    }
}

TEST(PlayerOptions, GuidesGatherInOrder)
{
    PlayerOptions options = ParsePlayerOptions(
        { "--guide", "epg.xml.gz", "a.m3u", "--guide=https://epg.example/e.xml", "--", "--guide" });
    EXPECT_EQ(options.guides, (Args { "epg.xml.gz", "https://epg.example/e.xml" }));
    EXPECT_EQ(options.operands, (Args { "a.m3u", "--guide" }));
    EXPECT_FALSE(options.look.Chosen());
    for (const Args& bad : { Args { "--guide" }, Args { "--guide=" } }) {
        try {
            ParsePlayerOptions(bad);
            ADD_FAILURE() << "accepted " << ::testing::PrintToString(bad);
        } catch (const PlayerUsageError& e) {
            EXPECT_NE(std::string(e.what()).find("--guide needs a value"), std::string::npos) << e.what();
        }
    }
}

TEST(PlayerOptions, BadUseSaysWhatIsWrong)
{
    struct Case {
        Args args;
        std::string message_part;
    } cases[] = {
        { { "--colour" }, "unknown option \"--colour\"" },
        { { "--help=yes" }, "unknown option \"--help=yes\"" },
        { { "--no-resume=yes" }, "unknown option \"--no-resume=yes\"" },
        { { "--style" }, "--style needs a value" },
        { { "--theme=" }, "--theme needs a value" },
        { { "--style", "Aqua" },
            "unknown style \"Aqua\" (the styles are MacOS, WinXP, DeepBlue, Protein or BlueGlass)" },
        // Only the five built-in styles, not the theme-file one.
        { { "--style", "FromThemeFile" }, "unknown style" },
        { { "--style", "MacOS", "--theme", "a.sui" }, "--style and --theme cannot be used together" },
        { { "--theme=a.sui", "--style=MacOS" }, "cannot be used together" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        try {
            ParsePlayerOptions(c.args);
            ADD_FAILURE() << "accepted";
        } catch (const PlayerUsageError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message_part), std::string::npos) << e.what();
        }
    }
}

TEST(PlayerOptions, NoResumeMixesWithOperands)
{
    EXPECT_TRUE(ParsePlayerOptions({ "a.m3u" }).resume);
    PlayerOptions options = ParsePlayerOptions({ "a.m3u", "--no-resume", "--", "--no-resume" });
    EXPECT_FALSE(options.resume);
    EXPECT_EQ(options.operands, (std::vector<std::string> { "a.m3u", "--no-resume" }));
    EXPECT_NE(PlayerUsage().find("--no-resume"), std::string::npos);
}

TEST(PlayerOptions, UsageNamesEveryOptionAndTheExitStatuses)
{
    std::string usage = PlayerUsage();
    for (const char* part : { "--style NAME", "--theme FILE.sui", "--guide FILE|URL", "-h, --help", "--  ",
             "FILE|ADDRESS", "Exit status: 0", "2 when" })
        EXPECT_NE(usage.find(part), std::string::npos) << part;
    // The list may be wrapped onto the next line.
    std::string words = std::regex_replace(usage, std::regex("\\s+"), " ");
    EXPECT_NE(words.find("MacOS, WinXP, DeepBlue, Protein or BlueGlass"), std::string::npos) << usage;
}

TEST(PlayerOptions, NewInstanceIsAFlagAmongOperands)
{
    PlayerOptions options = ParsePlayerOptions({ "a.m3u", "--new-instance", "http://tv.example/live" });
    EXPECT_TRUE(options.new_instance);
    EXPECT_EQ(options.operands, (Args { "a.m3u", "http://tv.example/live" }));
    EXPECT_FALSE(ParsePlayerOptions({ "--", "--new-instance" }).new_instance);
    EXPECT_THROW(ParsePlayerOptions({ "--new-instance=yes" }), PlayerUsageError);
    EXPECT_NE(std::string::npos, PlayerUsage().find("--new-instance"));
}
TEST(PlayerOptions, TheManualListsExactlyTheOptionsTheProgramTakes)
{
    EXPECT_EQ("", CommandLineDisagreement(PlayerCommandLineOptions(), ParseManualPage(PlayerManual())));
}
}
}

// File patterns as a chooser's filter takes them.
#include "chooser/file_filter.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

TEST(FileFilter, PatternsMatchNamesWithoutRegardToCase)
{
    struct Case {
        const char* pattern;
        const char* name;
        bool match;
    } cases[] = {
        { "*.m3u", "tv.m3u", true },
        { "*.m3u", "TV.M3U", true },
        { "*.m3u", "tv.m3u8", false },
        { "*.m3u", ".m3u", true },
        { "*.m3u", "m3u", false },
        { "?.sui", "a.sui", true },
        { "?.sui", "ab.sui", false },
        { "*", "", true },
        { "a*b*c", "aXXbYYc", true },
        { "a*b*c", "aXXbYY", false },
        { "*.*", "noext", false },
        // Many stars on a long name end quickly.
        { "*a*a*a*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesPattern(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

TEST(FileFilter, AListOfPatternsTakesANameAnyOneTakes)
{
    FileFilter playlists = FileFilter::Parse("播放列表", "*.m3u;*.m3u8");
    EXPECT_EQ(playlists.patterns, (std::vector<std::string> { "*.m3u", "*.m3u8" }));
    EXPECT_TRUE(playlists.Matches("a.m3u8"));
    EXPECT_TRUE(playlists.Matches("a.M3U"));
    EXPECT_FALSE(playlists.Matches("a.txt"));
    EXPECT_EQ(playlists.PatternText(), "*.m3u;*.m3u8");

    // Other separators and empty parts; no pattern takes everything.
    EXPECT_EQ(FileFilter::Parse("", " *.a, ;*.b ").patterns, (std::vector<std::string> { "*.a", "*.b" }));
    FileFilter all = FileFilter::Parse("", "");
    EXPECT_TRUE(all.Matches("anything"));
    EXPECT_EQ(all.PatternText(), "*");
}

}
}

#include "viewer/channel_search.h"
#include "viewer/search_fold.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

class ChannelSearchTest : public ::testing::Test {
protected:
    ChannelSearchTest()
    {
        Add(ChannelTree::Television, "中央一台", "精选频道");
        Add(ChannelTree::Television, "凤凰中文", "港澳地区");
        Add(ChannelTree::Radio, "中央人民广播电台", "新闻");
        Add(ChannelTree::Mine, "CCTV-1 HD", "央视");
        Add(ChannelTree::Mine, "ＣＣＴＶ－５ 体育", "Sports");
        Add(ChannelTree::Mine, "BBC World News", "News, World");
        Add(ChannelTree::Mine, "Télé Québec", "Canada");
        Add(ChannelTree::Mine, "Первый канал", "Россия");
    }
    void Add(ChannelTree tree, const char* name, const char* group)
    {
        search.Add(ChannelRef { tree, name, group, tree == ChannelTree::Mine ? "http://a.example/" : "", "" });
    }
    std::vector<std::string> Names(std::string_view query, size_t limit = 100) const
    {
        std::vector<std::string> out;
        for (size_t i : search.Find(query, limit).indices)
            out.push_back(search.At(i).name);
        return out;
    }
    ChannelSearch search;
};

TEST_F(ChannelSearchTest, FindsAnyPartOfNameOrGroupWhateverTheCaseOrWidth)
{
    const struct {
        const char* query;
        std::vector<std::string> names;
    } cases[] = {
        { "中央", { "中央一台", "中央人民广播电台" } },
        { "cctv", { "CCTV-1 HD", "ＣＣＴＶ－５ 体育" } },
        { "ＣＣＴＶ", { "CCTV-1 HD", "ＣＣＴＶ－５ 体育" } },
        { "tv-5", { "ＣＣＴＶ－５ 体育" } },
        { "港澳", { "凤凰中文" } }, // the group
        { "news", { "BBC World News" } },
        { "world bbc", { "BBC World News" } }, // every word, any order
        { "world  canada", {} }, // words of different channels
        { "TÉLÉ", { "Télé Québec" } },
        { "первый", { "Первый канал" } },
        { "россия", { "Первый канал" } },
        { "hd央视", {} }, // no match across name and group
        { "hd\t央视", { "CCTV-1 HD" } }, // a tab is a blank
        { "", {} },
        { "   ", {} },
        { "\xFF", {} },
        { "nothing like it", {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        EXPECT_EQ(Names(c.query), c.names);
    }
}

TEST_F(ChannelSearchTest, LimitKeepsTheFirstMatchesAndCountsThemAll)
{
    ChannelSearch::Found found = search.Find("c", 2);
    EXPECT_EQ(found.indices.size(), 2u);
    EXPECT_EQ(found.total, 4u); // CCTV twice, BBC, Télé Québec (twice, counted once)
    EXPECT_EQ(search.At(found.indices[0]).name, "CCTV-1 HD");
}

TEST(SearchFold, Table)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        { "ABC xyz", "abc xyz" },
        { "ＡＢＣ１２３！", "abc123!" },
        { "a\xE3\x80\x80"
          "b",
            "a b" },
        { "ÀÉÎÕÜ×", "àéîõü×" },
        { "ΑΒΓ", "αβγ" },
        { "ЁЖЯ", "ёжя" },
        { "中文", "中文" },
        { "bad\xC3", "bad\xEF\xBF\xBD" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FoldForSearch(c.in), c.out) << c.in;
}

}
}

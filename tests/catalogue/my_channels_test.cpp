#include "catalogue/my_channels.h"
#include "platform/text/gbk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace pellamo;

namespace {

StoredPlaylist Stored(const std::string& name, const std::string& m3u)
{
    StoredPlaylist stored;
    stored.name = name;
    stored.playlist = ReadPlaylist(m3u);
    return stored;
}

// Rows as indented UTF-8 labels, a channel followed by its address.
std::vector<std::string> Shape(const MyChannels& tree)
{
    std::vector<std::string> out;
    for (size_t i = 0; i < tree.Rows().size(); ++i) {
        const MyChannelsRow& row = tree.Rows()[i];
        std::string line = std::string(static_cast<size_t>(row.level) * 2, ' ') + GbkToUtf8(row.text);
        if (row.channel >= 0)
            line += " = " + GbkToUtf8(tree.Address(i));
        out.push_back(line);
    }
    return out;
}

TEST(MyChannels, PlaylistsThenGroupsWhereTheirFirstChannelStandsThenChannels)
{
    MyChannels tree;
    tree.Set({
        Stored("新闻",
            "#EXTINF:-1,Solo\nhttp://a.example/solo\n"
            "#EXTINF:-1 group-title=\"央视\",中央一台\nhttp://a.example/1\n"
            "#EXTINF:-1,Loose\nhttp://a.example/loose\n"
            "#EXTINF:-1 group-title=\"卫视\",浙江卫视\nhttp://a.example/zj\n"
            "#EXTINF:-1 group-title=\"央视\",中央二台\nhttp://a.example/2\n"
            "bad line\n"),
        Stored("empty", ""),
        Stored("world",
            "#EXTINF:-1,Caf\xC3\xA9 \xF0\x9F\x93\xBA\nhttp://b.example/caf\xC3\xA9/\xE9\xA2\x91\xE9\x81\x93\n"
            "#EXTINF:-1,Emoji\nhttp://b.example/\xF0\x9F\x93\xBA\n"),
    });
    EXPECT_EQ(Shape(tree),
        (std::vector<std::string> {
            "新闻",
            "  Solo = http://a.example/solo",
            "  央视",
            "    中央一台 = http://a.example/1",
            "    中央二台 = http://a.example/2",
            "  Loose = http://a.example/loose",
            "  卫视",
            "    浙江卫视 = http://a.example/zj",
            "empty",
            "world",
            // GBK has é and 频道 but no television emoji: the label shows "?",
            // and an address GBK cannot hold goes percent-encoded.
            "  Caf\xC3\xA9 ? = http://b.example/caf\xC3\xA9/\xE9\xA2\x91\xE9\x81\x93",
            "  Emoji = http://b.example/%F0%9F%93%BA",
        }));
    EXPECT_EQ(tree.ChannelCount(), 7u);
    EXPECT_EQ(tree.SkippedCount(), 1);
    EXPECT_EQ(tree.Address(0), "") << "a playlist has no address";
    EXPECT_EQ(tree.Address(2), "") << "a group has no address";
    EXPECT_EQ(tree.Address(99), "");

    tree.Set({});
    EXPECT_TRUE(tree.Rows().empty());
    EXPECT_EQ(tree.ChannelCount(), 0u);
}

}

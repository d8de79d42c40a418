#include "catalogue/builtin_catalogue.h"
#include "catalogue/channel_table.h"
#include "platform/components/controls/stored_tree_reader.h"
#include "platform/text/gbk.h"

#include <gtest/gtest.h>

#include <set>
#include <span>
#include <string>
#include <vector>

using namespace pellamo;

namespace {

// Test names are written in UTF-8; the catalogue holds GBK.
std::string G(const std::string& utf8) { return Utf8ToGbk(utf8); }

enum class Half { Television, Radio };

const ChannelTable& TableOf(Half half) { return half == Half::Television ? TelevisionTable() : RadioTable(); }

std::set<std::string> Keys(const ChannelTable& table)
{
    std::set<std::string> keys;
    for (const ChannelEntry& row : table.Rows())
        keys.insert(row.Key);
    return keys;
}

std::set<std::string> ChannelNodes(std::span<const uint8_t> stored)
{
    std::set<std::string> names;
    for (const StoredTreeNode& category : ReadTree(stored))
        for (const StoredTreeNode& channel : category.Children)
            names.insert(channel.Text);
    return names;
}

std::set<std::string> GbkSet(const std::vector<std::string>& utf8)
{
    std::set<std::string> out;
    for (const std::string& name : utf8)
        out.insert(G(name));
    return out;
}

TEST(ChannelTables, HoldEveryRowOnceWithGbkKeys)
{
    EXPECT_EQ(TelevisionTable().Rows().size(), 135u);
    EXPECT_EQ(RadioTable().Rows().size(), 96u);
    EXPECT_EQ(Keys(TelevisionTable()).size(), 135u);
    EXPECT_EQ(Keys(RadioTable()).size(), 96u);
    // Byte-for-byte GBK, independent of the converter the build used.
    EXPECT_TRUE(Keys(TelevisionTable()).count("\xB9\xE3\xD6\xDD\xD0\xC2\xCE\xC5")); // 广州新闻
    EXPECT_TRUE(Keys(TelevisionTable()).count("\xCB\xC4\xB4\xA8\xCE\xC0\xCA\xD3")); // 四川卫视
}

// The trees and the tables are joined by text alone; these are the nodes
// without a row and the rows without a node that the catalogue ships.
TEST(ChannelTables, JoinTheTreesWhereExpected)
{
    struct Case {
        const char* half;
        std::span<const uint8_t> tree;
        const ChannelTable& table;
        std::vector<std::string> nodesWithoutRow;
        std::vector<std::string> rowsWithoutNode;
    };
    const Case cases[] = {
        { "television", TelevisionTreeData(), TelevisionTable(),
            { "有线新知", "湖南经视", "湖南时尚", "湖南影视", "湖南公共", "湖南综合", "湖南都市", "湖南生活",
                "金鹰卡通", "湖南娱乐" },
            { "四川文化", "佛教慈悲台", "年代新闻", "台湾电视台", "大爱电视", "客家电视", "人间卫视", "江苏影视",
                "江苏城市", "徐州影视", "上海MTV宽频", "浙江影视", "CCTV-9", "CCTV-10", "四川FM102.6", "四川FM95.5",
                "广州少儿" } },
        { "radio", RadioTreeData(), RadioTable(), { "杭州经济台", "杭州新综台", "江苏新闻台" },
            { "浙江经济台", "香港第一台", "香港第二台", "香港第三台", "香港第四台", "台湾流行网", "中广新闻网" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.half);
        std::set<std::string> nodes = ChannelNodes(c.tree);
        std::set<std::string> keys = Keys(c.table);
        std::set<std::string> nodesWithoutRow;
        for (const std::string& node : nodes)
            if (!keys.count(node))
                nodesWithoutRow.insert(node);
        std::set<std::string> rowsWithoutNode;
        for (const std::string& key : keys)
            if (!nodes.count(key))
                rowsWithoutNode.insert(key);
        EXPECT_EQ(nodesWithoutRow, GbkSet(c.nodesWithoutRow));
        EXPECT_EQ(rowsWithoutNode, GbkSet(c.rowsWithoutNode));
    }
}

ResolutionRule Stream(const std::string& url)
{
    ResolutionRule rule;
    rule.StreamUrl = url;
    return rule;
}

ResolutionRule Page(const std::string& url, int32_t start, int32_t length)
{
    ResolutionRule rule;
    rule.PageUrl = url;
    rule.ScrapeStart = start;
    rule.ScrapeLength = length;
    return rule;
}

ResolutionRule Real(const std::u16string& source)
{
    ResolutionRule rule;
    rule.UseReal = true;
    rule.RealSource = source;
    return rule;
}

const ResolutionRule kCleared;

struct LookupCase {
    Half half;
    std::string name; // already in the bytes to look up
    ResolutionRule expected;
};

const std::string kSite1 = "http://www.sctv.example/live/index.asp?";
const std::string kSite2 = "http://www.smgbb.example/media/media_livefree_ha.jsp?channel=";
const std::string kSite3 = "http://www.gztv.example/live_video.jsp?id=";

TEST(ChannelTables, LookUpChannels)
{
    const LookupCase cases[] = {
        // direct stream rows, one per scheme, and the bare "mms" rows
        { Half::Television, "CCTV-1", Stream("http://live.cctv.example:8080/cctv1") },
        { Half::Television, G("凤凰中文"), Stream("rtspt://live.phoenixtv.example/chinese") },
        { Half::Television, G("莲花卫视"), Stream("mmst://live.lotustv.example/lotus") },
        { Half::Television, G("东森新闻"), Stream("mmsu://live.ettv.example/news") },
        { Half::Television, G("香港翡翠台"), Stream("rtsp://live.tvb.example/jade") },
        { Half::Television, G("大爱电视"), Stream("mms://live.daai.example/" + G("大爱直播")) },
        { Half::Television, G("人间卫视"), Stream("mms://live.bltv.example/live%3Fch=1|bltv") },
        { Half::Radio, G("广东金曲台"), Stream("mms") },
        { Half::Radio, G("江苏文艺台"), Stream("mms") },
        { Half::Radio, G("江苏经济台"), Stream("mms") },
        { Half::Radio, G("四川音乐台"), Stream("mms://live.scradio.example/music") },
        // Real rows
        { Half::Radio, G("中央一套"), Real(u"rtsp://real.cnr.example/cnr1.rm") },
        { Half::Radio, G("宁波经济台"), Real(u"rtsp://real.nbradio.example/econ.rm") },
        // page rows of the four sites, the site-1 FM rows and the two without a cut
        { Half::Television, G("四川卫视"), Page(kSite1 + "tvnum=sctv1&channelID=1&ChannelNum=4", 4446, 56) },
        { Half::Television, G("四川公共"), Page(kSite1 + "tvnum=sctv9&channelID=2&ChannelNum=12", 4446, 56) },
        { Half::Television, G("四川影视娱乐"), Page(kSite1 + "tvnum=sctv4&channelID=0&ChannelNum=16", 4446, 56) },
        { Half::Television, G("四川文化"), Page(kSite1 + "tvnum=sctv2&channelID=3&ChannelNum=19", 4446, 56) },
        { Half::Television, G("四川FM102.6"), Page(kSite1 + "tvnum=fm1026&channelID=0&ChannelNum=7", 4445, 55) },
        { Half::Television, G("四川FM95.5"), Page(kSite1 + "tvnum=fm955&channelID=0&ChannelNum=6", 4445, 55) },
        { Half::Television, G("上海电视剧"), Page(kSite2 + "2", 3413, 92) },
        { Half::Television, G("第一财经"), Page(kSite2 + "finnace", 3413, 92) },
        { Half::Television, G("上海体育"), Page(kSite2 + "stvsports", 3413, 92) },
        { Half::Television, G("广州卫视"), Page(kSite3 + "7", 1043, 77) },
        { Half::Television, G("广州新闻"), Page(kSite3 + "8", 1043, 77) },
        { Half::Television, G("广州少儿"), Page(kSite3 + "11", 1043, 77) },
        { Half::Television, G("安徽影视"), Page(kSite3 + "8", 0, 0) },
        { Half::Television, G("东方电影"), Page("http://www.dfmovie.example/ds/player.asp?id=104", 0, 0) },
    };
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(GbkToUtf8(c.name));
        EXPECT_EQ(Lookup(TableOf(c.half), c.name), c.expected);
    }
}

TEST(ChannelTables, ResolveNamesWithoutAnAddressToTheClearedValues)
{
    const LookupCase cases[] = {
        // categories
        { Half::Television, G("港澳地区"), kCleared },
        { Half::Television, G("精选频道"), kCleared },
        { Half::Television, "CCTV", kCleared },
        { Half::Radio, G("中央"), kCleared },
        // nodes without a row
        { Half::Television, G("有线新知"), kCleared },
        { Half::Television, G("湖南经视"), kCleared },
        { Half::Television, G("湖南娱乐"), kCleared },
        { Half::Radio, G("杭州经济台"), kCleared },
        { Half::Radio, G("江苏新闻台"), kCleared },
        // rows without an address
        { Half::Television, G("江苏卫视"), kCleared },
        { Half::Television, G("江苏城市"), kCleared },
        { Half::Radio, G("北京交通台"), kCleared },
        { Half::Radio, G("中广新闻网"), kCleared },
        // near misses: case, blanks, one character, the wrong encoding
        { Half::Television, "cctv-1", kCleared },
        { Half::Television, " CCTV-1", kCleared },
        { Half::Television, "CCTV-1 ", kCleared },
        { Half::Television, "CCTV-11", kCleared },
        { Half::Television, "CCTV-", kCleared },
        { Half::Television, "", kCleared },
        { Half::Television, "四川卫视", kCleared }, // UTF-8 bytes, not GBK
        { Half::Television, G("四川卫"), kCleared },
        // names of the other half
        { Half::Radio, G("四川卫视"), kCleared },
        { Half::Radio, "CCTV-1", kCleared },
        { Half::Television, G("中央一套"), kCleared },
        { Half::Television, G("北京音乐台"), kCleared },
    };
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(GbkToUtf8(c.name));
        EXPECT_EQ(Lookup(TableOf(c.half), c.name), c.expected);
    }
}

// Every address has a scheme the players know and page sites are reached by
// host name, so a test's hosts file can send them to a local server.
TEST(ChannelTables, UseKnownSchemesAndNamedPageHosts)
{
    const std::vector<std::string> schemes = { "mms://", "mmst://", "mmsu://", "rtsp://", "rtspt://", "http://" };
    auto hasScheme = [&](const std::string& url) {
        for (const std::string& scheme : schemes)
            if (url.rfind(scheme, 0) == 0 && url.size() > scheme.size())
                return true;
        return false;
    };
    const std::set<std::string> pageHosts = { "http://www.sctv.example/", "http://www.smgbb.example/",
        "http://www.gztv.example/", "http://www.dfmovie.example/" };
    for (const ChannelTable* table : { &TelevisionTable(), &RadioTable() }) {
        for (const ChannelEntry& row : table->Rows()) {
            SCOPED_TRACE(GbkToUtf8(row.Key));
            switch (row.RowKind) {
            case ChannelEntry::Kind::Stream:
                EXPECT_TRUE(hasScheme(row.StreamUrl) || row.StreamUrl == "mms") << row.StreamUrl;
                break;
            case ChannelEntry::Kind::Real:
                EXPECT_TRUE(row.RealSource.rfind(u"rtsp://", 0) == 0);
                EXPECT_EQ(table, &RadioTable());
                break;
            case ChannelEntry::Kind::Page:
                EXPECT_TRUE(pageHosts.count(row.PageUrl.substr(0, row.PageUrl.find('/', 7) + 1))) << row.PageUrl;
                EXPECT_EQ(table, &TelevisionTable());
                break;
            case ChannelEntry::Kind::NoAddress:
                break;
            }
        }
    }
}

// Every matching row is applied in order: a later row's fields replace an
// earlier row's, fields the later row does not set survive.
TEST(ChannelTable, AppliesLaterMatchingRowsOverEarlierOnes)
{
    ChannelTable table({
        ChannelEntry::Stream("a", "mms://first"),
        ChannelEntry::Page("b", "http://page/1", 5, 6),
        ChannelEntry::Stream("a", "mms://second"),
        ChannelEntry::Page("a", "http://page/a", 7, 8),
        ChannelEntry::NoAddress("a"),
        ChannelEntry::Real("c", u"rtsp://real"),
        ChannelEntry::Stream("c", "mms://c"),
    });
    ResolutionRule a = Page("http://page/a", 7, 8);
    a.StreamUrl = "mms://second";
    EXPECT_EQ(table.Lookup("a"), a);
    EXPECT_EQ(table.Lookup("b"), Page("http://page/1", 5, 6));
    ResolutionRule c = Real(u"rtsp://real");
    c.StreamUrl = "mms://c";
    EXPECT_EQ(table.Lookup("c"), c);
    EXPECT_EQ(table.Lookup("d"), kCleared);
}

}

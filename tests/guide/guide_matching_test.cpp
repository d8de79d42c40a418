#include "guide/channel_name_key.h"
#include "guide/guide_import.h"
#include "guide/guide_store.h"
#include "guide/guide_view.h"
#include "platform/text/gbk.h"
#include "tests/guide/guide_samples.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

using namespace pellamo;
using namespace pellamo::test;

TEST(ChannelNameKey, WidthCaseEncodingAndSeparators)
{
    struct Case {
        std::string name;
        const char* key;
    } const cases[] = {
        { "CCTV-1", "cctv1" }, { "cctv 1", "cctv1" },
        { "ＣＣＴＶ－１", "cctv1" }, // full-width letters, digits and hyphen
        { "CCTV　1　综合", "cctv1综合" }, // ideographic spaces
        { Utf8ToGbk("湖南卫视 HD"), "湖南卫视hd" }, { "湖南卫视_HD", "湖南卫视hd" }, { "Das Erste", "daserste" },
        { "  ", "" }, { "BBC One (UK)", "bbcone(uk)" }, { "Ärzte TV", "Ärztetv" }, // only ASCII is folded
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChannelNameKey(c.name), c.key) << c.name;
}

TEST(GuideMatching, ByIdThenByNames)
{
    TempDir dir;
    const std::filesystem::path file = std::filesystem::path(dir.Path()) / "guide.sqlite";
    const int64_t now = Utc(2026, 3, 15, 11, 10);
    GuideStore store(file);
    auto programme = [&](const char* channel, const char* title) {
        return ProgrammeXml(channel, XmltvTimeOf(now - 600), XmltvTimeOf(now + 600), title);
    };
    const std::string guide = Xmltv(ChannelXml("cctv1.cn", "CCTV-1 综合") + ChannelXml("hunan.cn", "湖南卫视")
        + "<channel id=\"dragon.cn\"><display-name>东方卫视</display-name><display-name>Dragon TV</display-name>"
          "</channel>"
        // A channel named like another but without programmes loses to it.
        + ChannelXml("empty.cn", "湖南卫视") + programme("cctv1.cn", "cctv1") + programme("hunan.cn", "hunan")
        + programme("dragon.cn", "dragon"));
    ImportGuideFile(store, "src", dir.Write("g.xml", guide), { now, {}, {} });
    // A second guide with the same id: both are kept apart.
    ImportGuideFile(store, "other",
        dir.Write("h.xml", Xmltv(ChannelXml("CCTV1.CN", "Other") + programme("CCTV1.CN", "other cctv1"))),
        { now, {}, {} });

    GuideView view(file);
    struct Case {
        const char* name;
        GuideChannelQuery query;
        const char* title; // what runs on the channel found; "" for none
    } const cases[] = {
        { "tvg-id exactly", { "cctv1.cn", { "nothing like it" } }, "cctv1" },
        { "tvg-id in the other case: the exact one wins", { "CCTV1.CN", {} }, "other cctv1" },
        { "tvg-id in another case only", { "Hunan.CN", {} }, "hunan" },
        { "an unknown tvg-id falls back to the names", { "unknown", { "cctv1 综合" } }, "cctv1" },
        { "tvg-name or title, full width", { "", { "ＣＣＴＶ－１　综合" } }, "cctv1" },
        { "GBK title", { "", { Utf8ToGbk("湖南卫视") } }, "hunan" },
        { "the second display name", { "", { "dragon tv" } }, "dragon" },
        { "the second name given", { "", { "no such", "东方卫视" } }, "dragon" },
        { "nothing matches", { "", { "CCTV-2" } }, "" },
        { "nothing asked", { "", {} }, "" },
    };
    for (const Case& c : cases) {
        NowNext nn = view.At(view.FindChannel(c.query), now);
        EXPECT_EQ(nn.now ? nn.now->title : "", c.title) << c.name;
    }
}

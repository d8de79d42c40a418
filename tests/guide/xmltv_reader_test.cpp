#include "guide/guide_error.h"
#include "guide/xmltv_reader.h"
#include "platform/text/gbk.h"
#include "tests/guide/guide_samples.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace pellamo;
using namespace pellamo::test;

namespace {

// What the reader handed over, one line per piece, so a case reads as a list.
class Recorder : public XmltvSink {
public:
    std::vector<std::string> lines;
    void Channel(GuideChannel c) override
    {
        std::string line = "channel " + c.id + ":";
        for (const std::string& name : c.names)
            line += " [" + name + "]";
        lines.push_back(line);
    }
    void Programme(GuideProgramme p) override
    {
        lines.push_back("programme " + p.channel + " " + std::to_string(p.start) + "-"
            + (p.stop ? std::to_string(*p.stop) : "?") + " [" + p.title + "]"
            + (p.subtitle.empty() ? "" : " (" + p.subtitle + ")")
            + (p.description.empty() ? "" : " {" + p.description + "}"));
    }
};

struct Outcome {
    std::vector<std::string> lines;
    uint64_t skipped = 0;
    std::string error;
};

Outcome Read(const std::string& text, size_t piece = 1 << 16)
{
    Recorder recorder;
    Outcome out;
    XmltvReader reader(recorder);
    try {
        for (size_t i = 0; i < text.size(); i += piece)
            reader.Feed(std::string_view(text).substr(i, piece));
        reader.Finish();
    } catch (const GuideError& e) {
        out.error = e.what();
    }
    out.lines = recorder.lines;
    out.skipped = reader.Seen().skipped;
    return out;
}

const int64_t k19 = Utc(2026, 3, 15, 11); // 19:00 in Beijing
const int64_t k1930 = Utc(2026, 3, 15, 11, 30);
const std::string kStart = "20260315190000 +0800";
const std::string kStop = "20260315193000 +0800";
const std::string kNews = "programme cctv1 " + std::to_string(k19) + "-" + std::to_string(k1930) + " [新闻联播]";

}

TEST(XmltvReader, ChannelsAndProgrammes)
{
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> lines;
        uint64_t skipped;
    } const cases[] = {
        { "a channel and a programme",
            Xmltv(ChannelXml("cctv1", "CCTV-1 综合") + ProgrammeXml("cctv1", kStart, kStop, "新闻联播")),
            { "channel cctv1: [CCTV-1 综合]", kNews }, 0 },
        { "several names, sub-title and description, first title wins",
            Xmltv("<channel id=\"a\"><display-name>A</display-name><display-name lang=\"en\">Alpha</display-name>"
                  "<icon src=\"x.png\"/></channel>"
                  "<programme start=\"20260315190000 +0800\" stop=\"20260315193000 +0800\" channel=\"cctv1\">"
                  "<title lang=\"zh\">新闻联播</title><title lang=\"en\">News</title>"
                  "<sub-title>第1集</sub-title><desc>今天的\n   新闻</desc><category>news</category></programme>"),
            { "channel a: [A] [Alpha]", kNews + " (第1集) {今天的 新闻}" }, 0 },
        { "programmes before their channel, no stop",
            Xmltv(ProgrammeXml("cctv1", kStart, "", "新闻联播") + ChannelXml("cctv1", "CCTV1")),
            { "programme cctv1 " + std::to_string(k19) + "-? [新闻联播]", "channel cctv1: [CCTV1]" }, 0 },
        { "entities and CDATA",
            Xmltv("<programme start=\"20260315190000 +0800\" stop=\"20260315193000 +0800\" channel=\"cctv1\">"
                  "<title>Tom &amp; Jerry &#x4E2D;</title><desc><![CDATA[<b>bold</b>]]></desc></programme>"),
            { "programme cctv1 " + std::to_string(k19) + "-" + std::to_string(k1930)
                + " [Tom & Jerry 中] {<b>bold</b>}" },
            0 },
        { "unknown elements anywhere are passed over",
            Xmltv("<extra><programme start=\"x\"/></extra>" + ProgrammeXml("cctv1", kStart, kStop, "新闻联播")),
            { kNews }, 0 },
        { "duplicate channels are both handed on (the store merges them)",
            Xmltv(ChannelXml("c", "One") + ChannelXml("c", "Two")), { "channel c: [One]", "channel c: [Two]" }, 0 },
        { "unusable programmes and channels are skipped and counted",
            Xmltv(ProgrammeXml("cctv1", kStop, kStart, "reversed") + ProgrammeXml("cctv1", kStart, kStart, "empty")
                + ProgrammeXml("cctv1", "20260315190000 +0800", "20260330190000 +0800", "two weeks long")
                + ProgrammeXml("cctv1", "19000101000000", "19000101010000", "too early")
                + ProgrammeXml("cctv1", "22000101000000", "22000101010000", "too late")
                + ProgrammeXml("cctv1", "soon", kStop, "garbled start")
                + ProgrammeXml("cctv1", kStart, "later", "garbled stop") + ProgrammeXml("", kStart, kStop, "no channel")
                + "<programme stop=\"20260315193000\" channel=\"cctv1\"><title>no start</title></programme>"
                + "<channel><display-name>no id</display-name></channel>"
                + ProgrammeXml("cctv1", kStart, kStop, "新闻联播")),
            { kNews }, 10 },
    };
    for (const Case& c : cases) {
        for (size_t piece : { size_t(1), size_t(13), size_t(1) << 16 }) {
            Outcome out = Read(c.text, piece);
            EXPECT_EQ(out.error, "") << c.name;
            EXPECT_EQ(out.lines, c.lines) << c.name << ", pieces of " << piece;
            EXPECT_EQ(out.skipped, c.skipped) << c.name;
        }
    }
}

TEST(XmltvReader, TextIsTidiedAndCut)
{
    std::string long_title;
    for (int i = 0; i < 200; ++i)
        long_title += "长"; // three bytes each: 255 falls on a boundary only by luck
    Outcome out = Read(Xmltv("<programme start=\"20260315190000\" stop=\"20260315193000\" channel=\"c\"><title>"
        + long_title + "</title><desc>" + std::string(100000, 'd') + "</desc></programme>"
        + "<channel id=\"c\"><display-name>  A\t\tB\r\nC  </display-name><display-name>   </display-name></channel>"));
    ASSERT_EQ(out.error, "");
    ASSERT_EQ(out.lines.size(), 2u);
    const std::string title = out.lines[0].substr(out.lines[0].find('[') + 1);
    EXPECT_EQ(title.substr(0, title.find(']')), long_title.substr(0, 255));
    EXPECT_NE(out.lines[0].find("{" + std::string(XmltvReader::kMaxDescription, 'd') + "}"), std::string::npos);
    EXPECT_EQ(out.lines[1], "channel c: [A B C]"); // the blank name is dropped
}

TEST(XmltvReader, EncodingsExpatKnowsAndGbk)
{
    const std::string body = "<tv>" + ChannelXml("c", "中央一台") + "</tv>";
    const std::u16string utf16 = Utf8ToUtf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + body);
    std::string utf16_bytes = "\xFF\xFE";
    for (char16_t u : utf16) {
        utf16_bytes += static_cast<char>(u & 0xFF);
        utf16_bytes += static_cast<char>(u >> 8);
    }
    struct Case {
        const char* name;
        std::string text;
    } const cases[] = {
        { "UTF-8 without a declaration", body },
        { "UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + body },
        { "GBK", "<?xml version=\"1.0\" encoding=\"GBK\"?>" + Utf8ToGbk(body) },
        { "GB2312 in lower case", "<?xml version=\"1.0\" encoding=\"gb2312\"?>" + Utf8ToGbk(body) },
        { "UTF-16", utf16_bytes },
    };
    for (const Case& c : cases) {
        Outcome out = Read(c.text, 5);
        EXPECT_EQ(out.error, "") << c.name;
        EXPECT_EQ(out.lines, std::vector<std::string> { "channel c: [中央一台]" }) << c.name;
    }
}

TEST(XmltvReader, BrokenInputGivesASentence)
{
    const std::string whole = Xmltv(ChannelXml("c", "C") + ProgrammeXml("c", kStart, kStop, "T"));
    struct Case {
        const char* name;
        std::string text;
        const char* error;
    } const cases[] = {
        { "empty", "", "empty" },
        { "cut in a tag", whole.substr(0, whole.find("<programme") + 20), "cut short" },
        { "cut between elements", whole.substr(0, whole.rfind("</tv>")), "cut short" },
        { "a misnested end tag", "<tv><channel id=\"a\"></programme></tv>", "not well-formed at line 1" },
        { "another kind of XML", "<?xml version=\"1.0\"?><rss><channel/></rss>", "starts with <rss>" },
        { "not XML at all", "#EXTM3U\n#EXTINF:-1,One\nhttp://a/1\n", "not an XMLTV guide" },
        { "an encoding nobody knows", "<?xml version=\"1.0\" encoding=\"KOI-9\"?><tv/>", "text encoding" },
        { "bytes that are not UTF-8", "<tv><channel id=\"\xFF\xFE\"/></tv>", "not well-formed" },
        { "two roots", "<tv></tv><tv></tv>", "not well-formed" },
        { "entity bombs are stopped",
            "<?xml version=\"1.0\"?><!DOCTYPE tv [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">"
            "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
            "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
            "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
            "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
            "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]>"
            "<tv><programme start=\"20260315190000\" stop=\"20260315193000\" channel=\"c\"><title>&f;</title>"
            "</programme></tv>",
            "not well-formed" },
        { "a comment longer than expat should hold",
            "<tv><!--" + std::string(XmltvReader::kMaxQuiet + (1 << 20), 'x') + "--></tv>", "longer than" },
    };
    for (const Case& c : cases) {
        Outcome out = Read(c.text);
        EXPECT_NE(out.error.find(c.error), std::string::npos) << c.name << ": " << out.error;
    }
}

TEST(XmltvReader, AnExceptionFromTheSinkStopsReading)
{
    struct Failing : XmltvSink {
        int seen = 0;
        void Channel(GuideChannel) override { ++seen; }
        void Programme(GuideProgramme) override
        {
            ++seen;
            throw GuideError("The disk is full.");
        }
    } sink;
    XmltvReader reader(sink);
    const std::string text = Xmltv(ProgrammeXml("c", kStart, kStop, "A") + ProgrammeXml("c", kStop, "", "B"));
    try {
        reader.Feed(text);
        reader.Finish();
        FAIL() << "no exception";
    } catch (const GuideError& e) {
        EXPECT_STREQ(e.what(), "The disk is full.");
    }
    EXPECT_EQ(sink.seen, 1);
}

#include "platform/text/gbk.h"

#include <gtest/gtest.h>

using namespace pellamo;

namespace {

// "网络电视" in GBK.
const std::string kGbk = "\xCD\xF8\xC2\xE7\xB5\xE7\xCA\xD3";
const std::string kUtf8 = "网络电视";

TEST(Gbk, RoundTripsThroughUtf8AndUtf16)
{
    EXPECT_EQ(GbkToUtf8(kGbk), kUtf8);
    EXPECT_EQ(Utf8ToGbk(kUtf8), kGbk);
    EXPECT_EQ(GbkToUtf16(kGbk), u"网络电视");
    EXPECT_EQ(Utf16ToGbk(u"网络电视"), kGbk);
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("CCTV-1 中央")), "CCTV-1 中央");
}

TEST(Gbk, AsciiAndEmptyPassUnchanged)
{
    EXPECT_EQ(GbkToUtf8(""), "");
    EXPECT_EQ(GbkToUtf16("mms://a b|c%3F"), u"mms://a b|c%3F");
    EXPECT_EQ(Utf16ToGbk(u""), "");
}

TEST(Gbk, InvalidInputBecomesVisibleReplacement)
{
    // A lead byte at the end has no trail byte; 0x80 alone is not GBK.
    EXPECT_EQ(GbkToUtf8("ab\xCD"), "ab\xEF\xBF\xBD");
    EXPECT_EQ(GbkToUtf16("\xFF"
                         "a"),
        std::u16string(u"\xFFFD"
                       u"a"));
    // A character GBK cannot hold.
    EXPECT_EQ(Utf8ToGbk("x\xF0\x9F\x98\x80y"), "x?y");
    // Broken UTF-8 does not lose what follows.
    EXPECT_EQ(Utf8ToGbk("\xC3"
                        "z"),
        "?z");
}

}

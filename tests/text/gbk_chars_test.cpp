#include "platform/text/access_keys.h"
#include "platform/text/gbk_chars.h"

#include <gtest/gtest.h>

#include <string>

using namespace pellamo;

namespace {

TEST(GbkChars, LeadBytesAreTheRange81ToFE)
{
    struct Case {
        unsigned char byte;
        bool lead;
    } const cases[] = {
        { 'A', false },
        { 0x7F, false },
        { 0x80, false },
        { 0x81, true },
        { 0xB0, true },
        { 0xFE, true },
        { 0xFF, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsGbkLeadByte(c.byte), c.lead) << int(c.byte);
    EXPECT_TRUE(IsGbkLeadByte('\xCD'));
}

TEST(GbkChars, CharacterLengthAndSteppingBack)
{
    // "\xB0\xB0" is one character whose trail byte is also a lead byte: only a
    // forward walk knows where characters start.
    const std::string text = "a\xB0\xB0\xB0\xB0"
                             "b\xFF\xCD";
    struct Length {
        size_t at;
        size_t length;
    } const lengths[] = { { 0, 1 }, { 1, 2 }, { 3, 2 }, { 5, 1 }, { 6, 1 }, { 7, 1 } };
    for (const Length& l : lengths)
        EXPECT_EQ(GbkCharLength(text, l.at), l.length) << l.at;

    struct Case {
        size_t pos;
        size_t from;
        size_t prev;
    } const cases[] = {
        { 0, 0, 0 }, // nothing before the start
        { 1, 0, 0 }, { 3, 0, 1 }, // after the first double-byte character
        { 4, 0, 3 }, // inside the second: its start
        { 5, 0, 3 }, { 5, 3, 3 }, // walking from a later known start
        { 7, 0, 6 }, // 0xFF stands alone
        { 8, 0, 7 }, // a lead byte cut off at the end stands alone
        { 20, 0, 7 }, // past the end: the last character
    };
    for (const Case& c : cases)
        EXPECT_EQ(GbkPrevCharStart(text, c.pos, c.from), c.prev) << c.pos << " from " << c.from;
}

TEST(AccessKeys, PrefixesAreStrippedAndTheFirstMarkedCharacterFound)
{
    struct Case {
        const char* caption;
        const char* shown;
        int marked;
    } const cases[] = {
        { "&File", "File", 0 }, { "e&xit", "exit", 1 }, { "Save && Quit", "Save & Quit", -1 }, { "A&&B&c", "A&Bc", 3 },
        { "&a&b", "ab", 0 }, // only the first mark counts
        { "end&", "end", -1 }, // a trailing prefix marks nothing
        { "&", "", -1 }, { "", "", -1 }, { "\xB8\xA8&h", "\xB8\xA8h", 2 }, // GBK before the mark
        { "\xE7\xBD\x91&w", "\xE7\xBD\x91w", 3 }, // UTF-8 before the mark
        { "&\xB8\xA8", "\xB8\xA8", 0 }, // a double-byte character marked
    };
    for (const Case& c : cases) {
        AccessKeyText scanned = ScanAccessKeys(c.caption);
        EXPECT_EQ(scanned.shown, c.shown) << c.caption;
        EXPECT_EQ(scanned.marked, c.marked) << c.caption;
    }
}

TEST(AccessKeys, AKeyMatchesTheMarkedCharacterInEitherCase)
{
    struct Case {
        char16_t key;
        const char* caption;
        bool match;
    } const cases[] = {
        { u'o', "&OK", true },
        { u'O', "&ok", true },
        { u'k', "&OK", false }, // only the marked one
        { u'q', "Save && Quit", false },
        { u'b', "A&&&b", true },
        { u'3', "Item &3", true },
        { u'\u8F85', "&\xB8\xA8", true }, // the GBK character U+8F85
        { u'\xB8', "&\xB8\xA8", false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsAccel(c.key, c.caption), c.match) << c.caption << " " << static_cast<int>(c.key);
}

}

#include "catalogue/stream_cut.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace pellamo;

namespace {

// A page of `size` bytes whose byte n (1-based) is 'a' + (n - 1) % 26, so a
// cut shows where it started.
std::string Page(size_t size)
{
    std::string page;
    for (size_t i = 0; i < size; ++i)
        page += static_cast<char>('a' + i % 26);
    return page;
}

TEST(CutStreamUrl, FollowsTheCutRule)
{
    struct Case {
        const char* what;
        size_t pageSize;
        int32_t start;
        int32_t length;
        std::string expected;
    };
    const Case cases[] = {
        { "inside the page", 10, 3, 4, "cdef" },
        { "first byte", 10, 1, 2, "ab" },
        { "start 0 counts as 1", 10, 0, 2, "ab" },
        { "negative start counts as 1", 10, -5, 3, "abc" },
        { "most negative start", 10, INT32_MIN, 1, "a" },
        { "runs to the end", 10, 8, 100, "hij" },
        { "ends exactly at the end", 10, 7, 4, "ghij" },
        { "last byte", 10, 10, 1, "j" },
        { "start just beyond the end", 10, 11, 1, "" },
        { "start far beyond the end", 10, INT32_MAX, INT32_MAX, "" },
        { "length 0", 10, 3, 0, "" },
        { "negative length", 10, 3, -1, "" },
        { "start 0 and length 0", 10, 0, 0, "" },
        { "huge length", 10, 2, INT32_MAX, "bcdefghij" },
        { "empty page", 0, 1, 5, "" },
        { "empty page, start 0", 0, 0, 5, "" },
        { "page shorter than a site-1 start", 4000, 4446, 56, "" },
        { "page ending inside a site-1 cut", 4470, 4446, 56, Page(4470).substr(4445) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CutStreamUrl(Page(c.pageSize), c.start, c.length), c.expected);
    }
    EXPECT_EQ(Page(4470).substr(4445).size(), 25u);
}

TEST(CutStreamUrl, CountsBytesNotCharacters)
{
    // Four GBK characters (8 bytes) before the address: it starts at byte 9.
    std::string page = std::string("\xCD\xF8\xC2\xE7\xB5\xE7\xCA\xD3") + "mms://x/y";
    EXPECT_EQ(CutStreamUrl(page, 9, 9), "mms://x/y");
    // A cut through the middle of a character takes the bytes as they are.
    EXPECT_EQ(CutStreamUrl(page, 2, 2), "\xF8\xC2");
}

TEST(PageText, EndsAtTheFirstNul)
{
    struct Case {
        std::string body;
        std::string text;
    };
    const Case cases[] = {
        { "plain", "plain" },
        { std::string("ab\0cd", 5), "ab" },
        { std::string("\0abc", 4), "" },
        { std::string("a\0b\0", 4), "a" },
        { "", "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(PageText(c.body), c.text);
}

}

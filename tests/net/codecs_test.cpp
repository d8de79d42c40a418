#include "net/ex_string_list.h"
#include "net/nm_url.h"
#include "net/nm_uu_processor.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace pellamo;

namespace {

TEST(TNMURL, EncodesEachByteByItsClass)
{
    struct Case {
        std::string input, encoded;
    } cases[] = {
        { "a b", "a+b" },
        { "\xCD\xF8", "%CD%F8" }, // GBK bytes of one Chinese character
        { "A-Z", "A%2DZ" },
        { "", "" },
        { "09azAZ", "09azAZ" },
        { "/?&=~._*", "%2F%3F%26%3D%7E%2E%5F%2A" },
        { std::string("a\0b", 3), "a%00b" },
        { "\x7F\x80\xFF", "%7F%80%FF" },
    };
    for (auto const& c : cases) {
        TNMURL url;
        url.SetInputString(c.input);
        EXPECT_EQ(url.EncodedText(), c.encoded) << c.input;
    }
}

TEST(TNMURL, InputBeyondItsLimitIsReportedAndReturnedUnchanged)
{
    TNMURL url;
    std::string input(TNMURL::kMaxInput + 1, ' ');
    url.SetInputString(input);
    std::string operation, message;
    url.OnError = [&](TNMURL&, const std::string& op, const std::string& msg) {
        operation = op;
        message = msg;
    };
    EXPECT_EQ(url.EncodedText(), input);
    EXPECT_EQ(operation, "Error during encode");
    EXPECT_NE(message, "");

    url.SetInputString(std::string(TNMURL::kMaxInput, ' '));
    EXPECT_EQ(url.EncodedText(), std::string(TNMURL::kMaxInput, '+'));
}

std::string Encode(UUMethods method, const std::string& input, std::ostream* target = nullptr)
{
    std::istringstream source(input);
    std::stringstream own;
    TNMUUProcessor processor;
    processor.SetMethod(method);
    processor.SetSourceStream(&source);
    processor.SetTargetStream(target ? target : &own);
    processor.Encode();
    return own.str();
}

TEST(TNMUUProcessor, EncodesLinesInBothAlphabets)
{
    std::string bytes46(46, 'x');
    std::string bytes45(45, 'x');
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    struct Case {
        UUMethods method;
        std::string input, output;
    } cases[] = {
        { uuMime, "abc", "YWJj\r\n" },
        { uuMime, "a", "YQ==\r\n" },
        { uuMime, "ab", "YWI=\r\n" },
        { uuMime, "", "" },
        { uuMime, bytes45, std::string(60, ' ') }, // filled below
        { uuMime, bytes46, "" },
        { uuCode, "abc", "#86)C\r\n`\r\n" },
        { uuCode, "a", "!80\r\n`\r\n" },
        { uuCode, "", "`\r\n" },
        { uuCode, "\0\0\0", "#````\r\n`\r\n" },
    };
    // 45 bytes make exactly one full line; the 46th starts a second one.
    std::string line60;
    for (int i = 0; i < 15; ++i)
        line60 += "eHh4";
    cases[4].output = line60 + "\r\n";
    cases[5].output = line60 + "\r\neA==\r\n";
    cases[9].input = std::string(3, '\0');
    for (auto const& c : cases)
        EXPECT_EQ(Encode(c.method, c.input), c.output) << c.method << " of " << c.input.size() << " bytes";

    // Every byte value through the standard alphabet.
    std::string expected_all = "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKissLS4v\r\n";
    EXPECT_EQ(Encode(uuMime, all).substr(0, 62), expected_all.substr(0, 60) + "\r\n");
    EXPECT_EQ(TNMUUProcessor::Base64(all).size(), 344u);
    EXPECT_EQ(TNMUUProcessor::Base64("user:secret"), "dXNlcjpzZWNyZXQ=");
}

TEST(TNMUUProcessor, ReadsTheSourceFromItsStartAndRewindsTheTarget)
{
    std::istringstream source("abc");
    source.get(); // a consumed source is still read whole
    std::stringstream target;
    TNMUUProcessor processor;
    std::vector<std::string> events;
    processor.OnBeginEncode = [&](TNMUUProcessor&) { events.push_back("begin"); };
    processor.OnEndEncode = [&](TNMUUProcessor&) { events.push_back("end"); };
    processor.SetSourceStream(&source);
    processor.SetTargetStream(&target);
    processor.Encode();
    EXPECT_EQ(target.tellp(), 0);
    EXPECT_EQ(target.str(), "YWJj\r\n");
    EXPECT_EQ(events, (std::vector<std::string> { "begin", "end" }));

    TNMUUProcessor missing;
    EXPECT_THROW(missing.Encode(), std::invalid_argument);
}

TEST(TExStringList, FindsAndSetsHeadersByNameIgnoringCase)
{
    auto make = [] {
        TExStringList list;
        list.Add("GET /a:b HTTP/1.0");
        list.Add("no colon here");
        list.Add("host: old");
        list.Add("Cookie: x=1");
        list.Add("HOST: second");
        return list;
    };
    struct FindCase {
        const char* name;
        int index;
    } finds[] = { { "Host", 2 }, { "HOST", 2 }, { "cookie", 3 }, { "GET /a", 0 }, { "no colon here", -1 },
        { "Accept", -1 }, { "", -1 } };
    TExStringList list = make();
    for (auto const& f : finds)
        EXPECT_EQ(list.FindHeader(f.name), f.index) << f.name;

    struct SetCase {
        const char* name;
        const char* value;
        std::vector<std::string> lines;
    } sets[] = {
        { "Host", "example", { "GET /a:b HTTP/1.0", "no colon here", "Host: example", "Cookie: x=1", "HOST: second" } },
        { "Cookie", "", { "GET /a:b HTTP/1.0", "no colon here", "host: old", "HOST: second" } },
        { "Referer", "", { "GET /a:b HTTP/1.0", "no colon here", "host: old", "Cookie: x=1", "HOST: second" } },
        { "Referer", "r",
            { "GET /a:b HTTP/1.0", "no colon here", "host: old", "Cookie: x=1", "HOST: second", "Referer: r" } },
    };
    for (auto const& s : sets) {
        TExStringList l = make();
        l.SetHeader(s.name, s.value);
        EXPECT_EQ(l.Lines(), s.lines) << s.name << "=" << s.value;
    }
    EXPECT_EQ(make().Text().substr(0, 19), "GET /a:b HTTP/1.0\r\n");
    EXPECT_THROW(list.Delete(9), std::out_of_range);
}

}

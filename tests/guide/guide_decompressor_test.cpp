#include "guide/guide_decompressor.h"
#include "guide/guide_error.h"
#include "tests/guide/guide_samples.h"

#include <gtest/gtest.h>

#include <string>

using namespace pellamo;
using pellamo::test::Gzip;

namespace {

// Feeds `bytes` in pieces of `piece` bytes; the text, or the error's sentence.
std::string Through(const std::string& bytes, size_t piece, uint64_t max_text = GuideDecompressor::kMaxText)
{
    std::string text;
    try {
        GuideDecompressor d([&](std::string_view part) { text.append(part); }, max_text);
        for (size_t i = 0; i < bytes.size(); i += piece)
            d.Feed(std::string_view(bytes).substr(i, piece));
        d.Finish();
    } catch (const GuideError& e) {
        return std::string("error: ") + e.what();
    }
    return text;
}

}

TEST(GuideDecompressor, PlainAndGzipInAnyPieces)
{
    std::string text = "<tv>";
    for (int i = 0; i < 20000; ++i)
        text += "<programme n=\"" + std::to_string(i) + "\"/>";
    text += "</tv>";
    const std::string zipped = Gzip(text);
    struct Case {
        const char* name;
        std::string bytes;
        std::string expected;
    } const cases[] = {
        { "plain", text, text },
        { "gzip", zipped, text },
        { "two gzip members are one text", Gzip("<tv>") + Gzip("</tv>"), "<tv></tv>" },
        { "zeros after the member are ignored", zipped + std::string(512, '\0'), text },
        { "garbage after the member is ignored, as gunzip does", zipped + "GARBAGE", text },
        { "a lone byte", "x", "x" },
        { "nothing at all", "", "" },
        { "plain text that starts with the first magic byte", "\x1Fplain", "\x1Fplain" },
    };
    for (const Case& c : cases)
        for (size_t piece : { size_t(1), size_t(7), size_t(4096), size_t(1) << 20 })
            EXPECT_EQ(Through(c.bytes, piece), c.expected) << c.name << ", pieces of " << piece;
}

TEST(GuideDecompressor, CutDamagedAndOversizedDataAreRefused)
{
    std::string text(200000, 'a');
    const std::string zipped = Gzip(text);
    std::string damaged = zipped;
    damaged[damaged.size() / 2] ^= 0x55;
    damaged[damaged.size() / 2 + 1] ^= 0x55;
    std::string bad_crc = zipped;
    bad_crc[bad_crc.size() - 6] ^= 0x01;
    struct Case {
        const char* name;
        std::string bytes;
        uint64_t max_text;
        const char* error;
    } const cases[] = {
        { "cut in the middle", zipped.substr(0, zipped.size() / 2), GuideDecompressor::kMaxText, "cut short" },
        { "cut before the trailer", zipped.substr(0, zipped.size() - 4), GuideDecompressor::kMaxText, "cut short" },
        { "only the magic bytes", "\x1F\x8B", GuideDecompressor::kMaxText, "cut short" },
        { "damaged deflate data", damaged, GuideDecompressor::kMaxText, "damaged" },
        { "a wrong checksum", bad_crc, GuideDecompressor::kMaxText, "damaged" },
        // A gzip bomb: little data, much text.
        { "more text than allowed", zipped, 100000, "larger than" },
        { "plain text beyond the bound", text, 100000, "larger than" },
    };
    for (const Case& c : cases) {
        std::string result = Through(c.bytes, 1000, c.max_text);
        EXPECT_NE(result.find("error: "), std::string::npos) << c.name;
        EXPECT_NE(result.find(c.error), std::string::npos) << c.name << ": " << result.substr(0, 80);
    }
}

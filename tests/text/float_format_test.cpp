#include "platform/text/float_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace pellamo;

namespace {

const NumberLocale kC;
const NumberLocale kGerman(",", ".");
const NumberLocale kFrench(",", " ");

struct FormatCase {
    const char* pattern;
    double value;
    const NumberLocale* locale;
    const char* expected;
};

TEST(FormatFloat, PatternsRoundAndUseTheLocaleSeparators)
{
    const FormatCase cases[] = {
        { "0.00", 0, &kC, "0.00" },
        { "0.00", 3.14159, &kC, "3.14" },
        { "0.00", 3.14159, &kGerman, "3,14" },
        { "0.00", 2.675, &kC, "2.68" }, // the decimal form rounds, not the binary one
        { "0.00", 1.005, &kC, "1.01" },
        { "0.00", 0.125, &kC, "0.13" },
        { "0.00", 9.999, &kC, "10.00" }, // the carry runs into a new digit
        { "0.00", 0.004, &kC, "0.00" },
        { "0.00", -0.004, &kC, "0.00" }, // no sign on a value that rounds to zero
        { "0.00", -1.5, &kC, "-1.50" },
        { "0.00", 1234567.891, &kC, "1234567.89" },
        { "#,##0.00", 1234567.891, &kC, "1234567.89" }, // C groups with nothing
        { "#,##0.00", 1234567.891, &kGerman, "1.234.567,89" },
        { "#,##0.00", -1234.5, &kFrench, "-1 234,50" },
        { "#,##0", 999, &kGerman, "999" },
        { "0", 2.5, &kC, "3" },
        { "0", -2.5, &kC, "-3" },
        { "000", 7, &kC, "007" },
        { "#.##", 0.5, &kC, ".5" },
        { "0.##", 1, &kC, "1" },
        { "0.0#", 1.25, &kC, "1.25" },
        { "0.0#", 1.2, &kC, "1.2" },
        { "0.00", 1e20, &kC, "100000000000000000000.00" },
        { "0.00 \"kbit/s\"", 12.345, &kC, "12.35 kbit/s" },
        { "'<'0'>'", 5, &kC, "<5>" },
        { "0.00;(0.00)", -3, &kC, "(3.00)" },
        { "0.00;(0.00);\"zero\"", 0.001, &kC, "zero" },
        { "0.00;;\"zero\"", -2, &kC, "-2.00" }, // an empty negative section falls back to the first
        { "", 0.1, &kGerman, "0,1" },
        { "", 1e300, &kC, "1e+300" },
        { "abc", 5, &kC, "abc" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(c.pattern, c.value, *c.locale), c.expected) << c.pattern << " " << c.value;
}

TEST(FormatFloat, ValuesThatAreNotNumbersSayWhatTheyAre)
{
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::infinity(), kC), "INF");
    EXPECT_EQ(FormatFloat("0.00", -std::numeric_limits<double>::infinity(), kC), "-INF");
    EXPECT_EQ(FormatFloat("0.00", std::nan(""), kC), "NAN");
}

struct ReadCase {
    const char* text;
    const NumberLocale* locale;
    std::optional<double> expected;
};

TEST(TextToFloat, ReadsNumbersWrittenWithTheLocaleDecimalSeparator)
{
    const ReadCase cases[] = {
        { "3.14", &kC, 3.14 },
        { "3,14", &kGerman, 3.14 },
        { "  -2.5 ", &kC, -2.5 },
        { "+7", &kC, 7.0 },
        { ".5", &kC, 0.5 },
        { "5.", &kC, 5.0 },
        { "1e3", &kC, 1000.0 },
        { "1,5E-2", &kGerman, 0.015 },
        { "0e999999999999999999", &kC, 0.0 },
        { "1e-999999999999", &kC, 0.0 }, // too small for a double: zero
        { "0.0000000000000000000000000000001", &kC, 1e-31 },
        // Not numbers.
        { "", &kC, std::nullopt },
        { "-", &kC, std::nullopt },
        { ".", &kC, std::nullopt },
        { "-.", &kC, std::nullopt },
        { "3,14", &kC, std::nullopt },
        { "3.14", &kGerman, std::nullopt },
        { "1.234,5", &kGerman, std::nullopt }, // thousands separators are the caller's to remove
        { "1e", &kC, std::nullopt },
        { "1e+", &kC, std::nullopt },
        { "abc", &kC, std::nullopt },
        { "12abc", &kC, std::nullopt },
        { "0x10", &kC, std::nullopt },
        { "inf", &kC, std::nullopt },
        { "nan", &kC, std::nullopt },
        { "1 2", &kC, std::nullopt },
        { "--1", &kC, std::nullopt },
        { "1e309", &kC, std::nullopt }, // beyond a double
        { "1e999999999999999999", &kC, std::nullopt },
    };
    for (const auto& c : cases) {
        std::optional<double> got = TextToFloat(c.text, *c.locale);
        ASSERT_EQ(got.has_value(), c.expected.has_value()) << '"' << c.text << '"';
        if (got) {
            EXPECT_DOUBLE_EQ(*got, *c.expected) << c.text;
        }
    }
}

TEST(TextToFloat, ReadsBackWhatFormatFloatWrites)
{
    for (double v : { 0.0, 1.0, -1.0, 3.14, 1e-7, 123456.789, -9.99e100, 1.7976931348623157e308 }) {
        std::optional<double> back = TextToFloat(FormatFloat("", v, kGerman), kGerman);
        ASSERT_TRUE(back) << v;
        EXPECT_EQ(*back, v);
    }
}

}

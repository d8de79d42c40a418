#include "skin/edits/number_key_filter.h"
#include "skin/edits/spin_value.h"

#include <gtest/gtest.h>

#include <limits>

using namespace pellamo;

namespace {

const NumberLocale kC;
const NumberLocale kGerman(",", ".");

struct KeyCase {
    const char* what;
    char16_t key;
    const char* text;
    int caret;
    const char* pattern;
    const NumberLocale* locale;
    bool accepted;
};

TEST(NumberEditKeys, DigitsOneSeparatorBackspaceAndALeadingMinusWhereThePatternAllowsIt)
{
    const KeyCase cases[] = {
        { "digit", u'7', "3.14", 4, "0.00", &kC, true },
        { "first separator", u'.', "314", 3, "0.00", &kC, true },
        { "second separator", u'.', "3.14", 4, "0.00", &kC, false },
        { "the locale's separator", u',', "314", 3, "0.00", &kGerman, true },
        { "a second locale separator", u',', "3,14", 4, "0.00", &kGerman, false },
        { "a point where the locale has a comma", u'.', "314", 3, "0.00", &kGerman, false },
        { "the thousands comma", u',', "1234", 4, "#,##0.00", &kC, false },
        { "no decimals in the pattern", u'.', "3", 1, "0", &kC, false },
        { "backspace", u'\b', "3.14", 4, "0.00", &kC, true },
        { "minus, pattern without one", u'-', "3.14", 0, "0.00", &kC, false },
        { "minus at the start", u'-', "3.14", 0, "-0.00", &kC, true },
        { "minus elsewhere", u'-', "3.14", 1, "-0.00", &kC, false },
        { "a second minus", u'-', "-3.14", 0, "-0.00", &kC, false },
        { "minus from a negative section", u'-', "", 0, "0.00;-0.00", &kC, true },
        { "letter", u'a', "3", 1, "0.00", &kC, false },
        { "plus", u'+', "3", 0, "-0.00", &kC, false },
        { "enter", u'\r', "3", 1, "0.00", &kC, false },
        { "escape", 0x1B, "3", 1, "0.00", &kC, false },
        { "a wide digit", u'\uFF11', "3", 1, "0.00", &kC, false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberEditAcceptsKey(c.key, c.text, c.caret, c.pattern, *c.locale), c.accepted) << c.what;
}

TEST(SpinValue, EqualLimitsMeanNoneAndStepsSaturate)
{
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    struct Case {
        std::int64_t value;
        int min_value;
        int max_value;
        int expected;
    } cases[] = {
        { 1, 0, 0, 1 },
        { -5, 0, 0, -5 },
        { 50, 1, 10, 10 },
        { -3, 1, 10, 1 },
        { 7, 1, 10, 7 },
        { std::int64_t(kMax) + 1, 0, 0, kMax }, // MaxInt + 1 stays MaxInt
        { std::int64_t(kMin) - 100, 0, 0, kMin },
        { std::int64_t(kMax) + 1, 1, 10, 10 },
        { 5, 10, 1, 10 }, // crossed limits: below the minimum first
        { 20, 10, 1, 1 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckSpinValue(c.value, c.min_value, c.max_value), c.expected)
            << c.value << " in " << c.min_value << ".." << c.max_value;
}

TEST(SpinValue, TextReadsAsAnIntegerOrTheFallback)
{
    struct Case {
        const char* text;
        int expected;
    } cases[] = {
        { "42", 42 },
        { " -5 ", -5 },
        { "+3", 3 },
        { "007", 7 },
        { "2147483647", 2147483647 },
        { "99999999999", 2147483647 }, // too big for 32 bits: the largest
        { "-99999999999", std::numeric_limits<int>::min() },
        { "", 1 },
        { "-", 1 },
        { "abc", 1 },
        { "4x", 1 },
        { "1.5", 1 },
        { "1 2", 1 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadSpinText(c.text, 1), c.expected) << '"' << c.text << '"';
}

TEST(SpinValue, KeysThatMayReachTheEditor)
{
    struct Case {
        char16_t key;
        bool enabled_editor;
        bool disabled_editor;
    } cases[] = {
        { u'5', true, false },
        { u'-', true, false },
        { u'\b', true, false },
        { 0x1B, true, true }, // other control characters pass
        { 0x03, true, true },
        { u'\r', false, false },
        { u'a', false, false },
        { u' ', false, false },
        { u'.', false, false },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SpinEditAcceptsKey(c.key, true), c.enabled_editor) << static_cast<int>(c.key);
        EXPECT_EQ(SpinEditAcceptsKey(c.key, false), c.disabled_editor) << static_cast<int>(c.key);
    }
}

}

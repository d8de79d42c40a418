#include "guide/xmltv_time.h"
#include "tests/guide/guide_samples.h"

#include <gtest/gtest.h>

#include <optional>

using namespace pellamo;
using pellamo::test::Utc;

TEST(XmltvTime, FormsOffsetsAndGarbage)
{
    struct Case {
        const char* text;
        std::optional<int64_t> expected;
    } const cases[] = {
        { "20260315190000 +0800", Utc(2026, 3, 15, 11) },
        { "20260315190000 -0500", Utc(2026, 3, 16, 0) },
        { "20260315190000 +0530", Utc(2026, 3, 15, 13, 30) },
        { "20260315190000+0800", Utc(2026, 3, 15, 11) }, // no blank before the offset
        { "20260315190000 +08:00", Utc(2026, 3, 15, 11) },
        { "20260315190000", Utc(2026, 3, 15, 19) }, // no offset: UTC
        { "20260315190000 UTC", Utc(2026, 3, 15, 19) },
        { "20260315190000 GMT", Utc(2026, 3, 15, 19) },
        { "202603151900 +0100", Utc(2026, 3, 15, 18) }, // no seconds
        { "2026031519", Utc(2026, 3, 15, 19) },
        { "20260315", Utc(2026, 3, 15) },
        { "  20260315190005 +0000  ", Utc(2026, 3, 15, 19) + 5 },
        { "20260315235960 +0000", Utc(2026, 3, 15, 23, 59) + 59 }, // a leap second
        // The clock change in Europe, 29 March 2026: the same instant written
        // before and after the change, and the hour that follows.
        { "20260329015959 +0100", Utc(2026, 3, 29, 0, 59) + 59 },
        { "20260329030000 +0200", Utc(2026, 3, 29, 1) },
        { "20261025020000 +0200", Utc(2026, 10, 25, 0) },
        { "20261025020000 +0100", Utc(2026, 10, 25, 1) },
        { "20240229120000 +0000", Utc(2024, 2, 29, 12) }, // a leap day
        { "20000229000000", Utc(2000, 2, 29) },
        { "19700101000000 +0000", 0 },
        { "20260101003000 +1400", Utc(2025, 12, 31, 10, 30) }, // a day back
        // Garbage:
        { "", std::nullopt },
        { "tomorrow", std::nullopt },
        { "2026031519000", std::nullopt }, // 13 digits
        { "202603151900000", std::nullopt }, // 15 digits
        { "20250229120000", std::nullopt }, // not a leap year
        { "19000229120000", std::nullopt },
        { "20261301000000", std::nullopt },
        { "20260431000000", std::nullopt },
        { "20260315240000", std::nullopt },
        { "20260315196000", std::nullopt },
        { "20260315190000 +1500", std::nullopt },
        { "20260315190000 +0860", std::nullopt },
        { "20260315190000 +080", std::nullopt },
        { "20260315190000 BST", std::nullopt },
        { "20260315190000 +0800 extra", std::nullopt },
        { "00000315190000", std::nullopt },
        { "2026-03-15 19:00", std::nullopt },
        { "-20260315190000", std::nullopt },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseXmltvTime(c.text), c.expected) << '"' << c.text << '"';
}

TEST(XmltvTime, RoundTripsThroughTheTestWriter)
{
    for (int64_t t : { int64_t(0), Utc(1999, 12, 31, 23, 59), Utc(2026, 2, 28, 12), Utc(2099, 12, 31, 23, 59) })
        EXPECT_EQ(ParseXmltvTime(test::XmltvTimeOf(t)), t);
}

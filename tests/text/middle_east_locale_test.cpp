// Which locale names read right to left.

#include "platform/text/middle_east_locale.h"

#include <gtest/gtest.h>

namespace pellamo::test {
namespace {

TEST(MiddleEastLocale, LanguageDecidesWhateverTheRegionAndCharacterSet)
{
    struct Case {
        const char* locale;
        bool middle_east;
    };
    const Case cases[] = {
        { "ar_EG.UTF-8", true },
        { "he_IL", true },
        { "fa", true },
        { "ckb_IQ.UTF-8@latin", true },
        { "zh_CN.GBK", false },
        { "en_US.UTF-8", false },
        { "arn_CL", false }, // a language whose code only starts like Arabic's
        { "C", false },
        { "", false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsMiddleEastLocale(c.locale), c.middle_east) << c.locale;
}

}
}

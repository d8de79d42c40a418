#pragma once

// Which typed characters a number edit lets through, decided on the text
// before the key lands: digits always; the locale's decimal separator while
// the pattern has a decimal point and the text has no separator yet;
// backspace; '-' at the very start while the pattern has a '-' and the text
// none. Everything else, control characters included, is refused.

#include "platform/text/number_locale.h"

#include <string_view>

namespace pellamo {

bool NumberEditAcceptsKey(
    char16_t key, std::string_view text, int caret, std::string_view pattern, const NumberLocale& locale);

}

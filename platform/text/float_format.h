#pragma once

// Numbers as a user reads and types them, with the separators of a
// NumberLocale. Neither function looks at the process's locale.
//
// FormatFloat patterns: up to three sections split by ';' (positive;
// negative; zero). '0' is a digit that is always written, '#' one written
// only when it counts; the first '.' places the decimal separator; a ','
// among the integer digits groups them by thousands. Text in single or
// double quotes and every other character is written as it stands, before
// the number when it comes before the first digit, after it otherwise.
// The value is rounded half away from zero on its shortest decimal form, so
// 2.675 with "0.00" gives "2.68". A negative section writes the value
// without its sign; with one section a negative value gets a leading '-'
// (never a zero that rounds to nothing). An empty pattern writes the
// shortest form that reads back as the same value.

#include "platform/text/number_locale.h"

#include <optional>
#include <string>
#include <string_view>

namespace pellamo {

std::string FormatFloat(std::string_view pattern, double value, const NumberLocale& locale);

// Reads an optional sign, digits with at most one decimal separator, and an
// optional exponent (E or e, optional sign, digits), with blanks around.
// No thousands separators. None when the text is not such a number or its
// value is beyond a double (a value too small for one reads as zero).
std::optional<double> TextToFloat(std::string_view text, const NumberLocale& locale);

}

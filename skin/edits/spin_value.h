#pragma once

// The value rules of a spin edit, apart from the control.

#include <cstdint>
#include <string_view>

namespace pellamo {

// With equal limits there are none; otherwise a value below min_value
// becomes min_value, else one above max_value becomes max_value. The result
// saturates at the ends of the 32-bit range.
int CheckSpinValue(std::int64_t value, int min_value, int max_value);

// The text as a decimal integer (blanks around and a sign allowed); a number
// beyond 32 bits reads as the nearest 32-bit value; `fallback` when the text
// is not a number.
int ReadSpinText(std::string_view text, int fallback);

// Minus, the digits and the control characters other than carriage return;
// with the editor disabled only those control characters, not backspace.
bool SpinEditAcceptsKey(char16_t key, bool editor_enabled);

}

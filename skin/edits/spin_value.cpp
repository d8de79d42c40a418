#include "skin/edits/spin_value.h"

#include <algorithm>
#include <limits>

namespace pellamo {

int CheckSpinValue(std::int64_t value, int min_value, int max_value)
{
    constexpr std::int64_t kLow = std::numeric_limits<int>::min();
    constexpr std::int64_t kHigh = std::numeric_limits<int>::max();
    if (min_value != max_value) {
        if (value < min_value)
            value = min_value;
        else if (value > max_value)
            value = max_value;
    }
    // A step past the 32-bit range stops at its end instead of wrapping.
    return static_cast<int>(std::clamp(value, kLow, kHigh));
}

int ReadSpinText(std::string_view text, int fallback)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return fallback;
    constexpr std::int64_t kPast = std::int64_t(std::numeric_limits<int>::max()) + 2;
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return fallback;
        magnitude = std::min(kPast, magnitude * 10 + (c - '0'));
    }
    return CheckSpinValue(negative ? -magnitude : magnitude, 0, 0);
}

bool SpinEditAcceptsKey(char16_t key, bool editor_enabled)
{
    bool control = key < 32 && key != u'\r';
    bool valid = key == u'-' || (key >= u'0' && key <= u'9') || control;
    if (!valid)
        return false;
    return editor_enabled || (control && key != u'\b');
}

}

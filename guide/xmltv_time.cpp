#include "guide/xmltv_time.h"

#include <string>

namespace pellamo {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int Number(std::string_view digits)
{
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// The offset east of UTC in seconds: "+hhmm", "-hhmm", "+hh:mm", or a
// name for UTC.
std::optional<int> ParseOffset(std::string_view text)
{
    if (text.empty() || text == "UTC" || text == "GMT" || text == "Z")
        return 0;
    if (text[0] != '+' && text[0] != '-')
        return std::nullopt;
    int sign = text[0] == '-' ? -1 : 1;
    std::string digits;
    for (char c : text.substr(1)) {
        if (c == ':' && digits.size() == 2)
            continue;
        if (!IsDigit(c))
            return std::nullopt;
        digits += c;
    }
    if (digits.size() != 4)
        return std::nullopt;
    int hours = Number(std::string_view(digits).substr(0, 2));
    int minutes = Number(std::string_view(digits).substr(2, 2));
    if (hours > 14 || minutes > 59)
        return std::nullopt;
    return sign * (hours * 3600 + minutes * 60);
}

}

int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day)
{
    // Howard Hinnant's algorithm: years counted from March, in 400-year eras.
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned year_of_era = static_cast<unsigned>(year - era * 400);
    const unsigned day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + static_cast<int64_t>(day_of_era) - 719468;
}

std::optional<int64_t> ParseXmltvTime(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    size_t digits = 0;
    while (digits < text.size() && IsDigit(text[digits]))
        ++digits;
    if (digits != 8 && digits != 10 && digits != 12 && digits != 14)
        return std::nullopt;
    std::string_view stamp = text.substr(0, digits);
    std::string_view zone = text.substr(digits);
    while (!zone.empty() && IsBlank(zone.front()))
        zone.remove_prefix(1);
    std::optional<int> offset = ParseOffset(zone);
    if (!offset)
        return std::nullopt;

    const int year = Number(stamp.substr(0, 4));
    const int month = Number(stamp.substr(4, 2));
    const int day = Number(stamp.substr(6, 2));
    const int hour = digits >= 10 ? Number(stamp.substr(8, 2)) : 0;
    const int minute = digits >= 12 ? Number(stamp.substr(10, 2)) : 0;
    int second = digits >= 14 ? Number(stamp.substr(12, 2)) : 0;
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 || minute > 59
        || second > 60)
        return std::nullopt;
    if (second == 60)
        second = 59; // a leap second: the guide has no use for it
    const int64_t days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    return days * 86400 + hour * 3600 + minute * 60 + second - *offset;
}

}

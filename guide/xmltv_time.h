#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace pellamo {

// An XMLTV time, "YYYYMMDDhhmmss +hhmm", as seconds since 1970-01-01 UTC.
// Parts may be left off from the right (seconds, minutes, hours); a
// missing offset means UTC, as does "UTC", "GMT" or "Z". Anything else
// (a date that does not exist, an offset past 14 hours, trailing words)
// gives nothing.
std::optional<int64_t> ParseXmltvTime(std::string_view text);

// Days since 1970-01-01 of a proleptic Gregorian date (month 1..12).
int64_t DaysFromCivil(int64_t year, unsigned month, unsigned day);

}

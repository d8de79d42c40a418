#pragma once

// Small guides for the tests: XMLTV text made from a few lines, and gzip.

#include <cstdint>
#include <string>
#include <string_view>

namespace pellamo::test {

// The bytes gzip makes of `text` (one member).
std::string Gzip(std::string_view text);

// An XMLTV document around `body`.
std::string Xmltv(std::string_view body);

// <channel id="id"><display-name>name</display-name></channel>
std::string ChannelXml(std::string_view id, std::string_view name);

// A programme from `start` to `stop` (XMLTV times; stop left out when empty).
std::string ProgrammeXml(std::string_view channel, std::string_view start, std::string_view stop,
    std::string_view title, std::string_view description = {});

// An XMLTV time in UTC for seconds since 1970.
std::string XmltvTimeOf(int64_t seconds);

// Seconds since 1970 for a UTC date and time.
int64_t Utc(int year, int month, int day, int hour = 0, int minute = 0);

}

#include "tests/guide/guide_samples.h"

#include "guide/xmltv_time.h"

#include <zlib.h>

#include <cstdio>
#include <stdexcept>

namespace pellamo::test {

std::string Gzip(std::string_view text)
{
    z_stream zip {};
    if (deflateInit2(&zip, Z_BEST_SPEED, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out(deflateBound(&zip, text.size()) + 64, '\0');
    zip.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    zip.avail_in = static_cast<uInt>(text.size());
    zip.next_out = reinterpret_cast<Bytef*>(out.data());
    zip.avail_out = static_cast<uInt>(out.size());
    int status = deflate(&zip, Z_FINISH);
    out.resize(zip.total_out);
    deflateEnd(&zip);
    if (status != Z_STREAM_END)
        throw std::runtime_error("deflate");
    return out;
}

std::string Xmltv(std::string_view body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE tv SYSTEM \"xmltv.dtd\">\n"
           "<tv generator-info-name=\"test\">\n"
        + std::string(body) + "</tv>\n";
}

std::string ChannelXml(std::string_view id, std::string_view name)
{
    return "  <channel id=\"" + std::string(id) + "\">\n    <display-name lang=\"zh\">" + std::string(name)
        + "</display-name>\n  </channel>\n";
}

std::string ProgrammeXml(std::string_view channel, std::string_view start, std::string_view stop,
    std::string_view title, std::string_view description)
{
    std::string out = "  <programme start=\"" + std::string(start) + "\"";
    if (!stop.empty())
        out += " stop=\"" + std::string(stop) + "\"";
    out += " channel=\"" + std::string(channel) + "\">\n    <title lang=\"zh\">" + std::string(title) + "</title>\n";
    if (!description.empty())
        out += "    <desc lang=\"zh\">" + std::string(description) + "</desc>\n";
    return out + "  </programme>\n";
}

std::string XmltvTimeOf(int64_t seconds)
{
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    // Civil from days (Howard Hinnant), the inverse of DaysFromCivil.
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned day = doy - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = static_cast<int64_t>(yoe) + era * 400 + (month <= 2);
    char text[40];
    std::snprintf(text, sizeof text, "%04lld%02u%02u%02lld%02lld%02lld +0000", static_cast<long long>(year), month, day,
        static_cast<long long>(rest / 3600), static_cast<long long>(rest / 60 % 60), static_cast<long long>(rest % 60));
    return text;
}

int64_t Utc(int year, int month, int day, int hour, int minute)
{
    return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400 + hour * 3600
        + minute * 60;
}

}

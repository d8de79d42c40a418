#include "stream/stream_address.h"

#include <algorithm>
#include <array>
#include <utility>

namespace pellamo {

namespace {

struct SchemeRule {
    std::string_view scheme;
    std::string_view engine_scheme;
    std::string_view fallback_scheme;
};

// The engine opens mms:// as MMS over HTTP; servers that only speak the old
// TCP protocol get a second try. It has no UDP MMS, and its RTSP already runs
// over TCP.
constexpr std::array kRules {
    SchemeRule { "http", "http", "" },
    SchemeRule { "https", "https", "" },
    SchemeRule { "mms", "mms", "mmst" },
    SchemeRule { "mmsh", "mmsh", "" },
    SchemeRule { "mmst", "mmst", "" },
    SchemeRule { "mmsu", "mmst", "" },
    SchemeRule { "rtsp", "rtsp", "" },
    SchemeRule { "rtspt", "rtsp", "" },
    SchemeRule { "rtmp", "rtmp", "" },
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0'; }

bool IsSchemeChar(char c, bool first)
{
    bool alpha = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (first)
        return alpha;
    return alpha || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// Keeps the message short: a scraped address can be a whole page.
std::string Quoted(std::string_view address, size_t kMax = 60)
{
    size_t cut = std::min(address.size(), kMax);
    // Never inside a UTF-8 sequence: the text would not draw.
    while (cut < address.size() && cut > 0 && (static_cast<unsigned char>(address[cut]) & 0xC0) == 0x80)
        --cut;
    std::string shown;
    for (char c : address.substr(0, cut))
        shown += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
    if (address.size() > cut)
        shown += "...";
    return "\"" + shown + "\"";
}

std::string Lower(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
        [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return out;
}

}

std::string StreamAddress::Shown(std::string_view address) { return Quoted(address.substr(0, address.find('|'))); }

StreamAddress StreamAddress::Parse(std::string_view utf8)
{
    while (!utf8.empty() && IsBlank(utf8.front()))
        utf8.remove_prefix(1);
    while (!utf8.empty() && IsBlank(utf8.back()))
        utf8.remove_suffix(1);

    StreamAddress result;
    AddressWithOptions split = SplitStreamOptions(utf8);
    if (!split.valid) {
        result.m_error = "Cannot play " + Shown(utf8) + ": the header fields given with the address are not allowed";
        return result;
    }
    utf8 = split.address;
    while (!utf8.empty() && IsBlank(utf8.back()))
        utf8.remove_suffix(1);
    size_t colon = 0;
    while (colon < utf8.size() && IsSchemeChar(utf8[colon], colon == 0))
        ++colon;
    if (colon == 0 || colon >= utf8.size() || utf8[colon] != ':') {
        result.m_error = "Cannot play " + Quoted(utf8) + ": not a network stream address";
        return result;
    }
    std::string scheme = Lower(utf8.substr(0, colon));
    auto rule = std::find_if(kRules.begin(), kRules.end(), [&](const SchemeRule& r) { return r.scheme == scheme; });
    if (rule == kRules.end()) {
        result.m_error
            = "Cannot play " + Quoted(utf8) + ": the scheme " + Quoted(scheme, 16) + " is not a network stream";
        return result;
    }
    std::string_view rest = utf8.substr(colon + 1);
    if (rest.size() < 3 || rest.substr(0, 2) != "//" || rest[2] == '/') {
        result.m_error = "Cannot play " + Quoted(utf8) + ": no server in the address";
        return result;
    }
    if (std::any_of(
            rest.begin(), rest.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
        result.m_error = "Cannot play " + Quoted(utf8) + ": the address contains control characters";
        return result;
    }
    result.m_options = std::move(split.options);
    result.m_engine_url = std::string(rule->engine_scheme) + ":" + std::string(rest);
    if (!rule->fallback_scheme.empty())
        result.m_fallback_url = std::string(rule->fallback_scheme) + ":" + std::string(rest);
    return result;
}

}

#include "stream/stream_options.h"

#include "platform/text/percent_encoding.h"
#include "platform/text/trim.h"

#include <algorithm>
#include <array>

namespace pellamo {

namespace {

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// RFC 9110 token characters.
bool IsToken(std::string_view name)
{
    if (name.empty() || name.size() > 64)
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return true;
        return std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
    });
}

// CR, LF and NUL would end the header line early and start one of the
// value's own; no other control character belongs in a header either.
bool IsSafeValue(std::string_view value)
{
    return value.size() <= kMaxHeaderValue && std::none_of(value.begin(), value.end(), [](char c) {
        return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F;
    });
}

constexpr std::array kFramingFields { "host", "content-length", "transfer-encoding", "connection" };

// Everything but unreserved characters, so that '&', '=' and '|' in a
// value never split it.
std::string EncodeValue(std::string_view value)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : value) {
        auto u = static_cast<unsigned char>(c);
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.'
            || c == '_' || c == '~' || c == '/' || c == ':' || c == ';' || c == ',' || c == '(' || c == ')';
        if (plain) {
            out += c;
        } else {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 15];
        }
    }
    return out;
}

}

bool StreamOptions::Set(std::string_view name, std::string_view value)
{
    name = Trim(name);
    value = Trim(value);
    if (!IsToken(name) || !IsSafeValue(value))
        return false;
    if (SameName(name, "User-Agent")) {
        user_agent = value;
        return true;
    }
    if (SameName(name, "Referer") || SameName(name, "Referrer")) {
        referrer = value;
        return true;
    }
    for (const char* framing : kFramingFields)
        if (SameName(name, framing))
            return false;
    auto same = std::find_if(fields.begin(), fields.end(), [&](const auto& f) { return SameName(f.first, name); });
    if (same != fields.end()) {
        same->second = value;
        return true;
    }
    if (fields.size() >= kMaxHeaderFields)
        return false;
    fields.emplace_back(name, value);
    return true;
}

void StreamOptions::Merge(const StreamOptions& later)
{
    if (!later.user_agent.empty())
        user_agent = later.user_agent;
    if (!later.referrer.empty())
        referrer = later.referrer;
    for (const auto& [name, value] : later.fields)
        Set(name, value);
}

std::string StreamOptionsSuffix(const StreamOptions& options)
{
    std::string out;
    auto add = [&](std::string_view name, std::string_view value) {
        out += out.empty() ? '|' : '&';
        out += name;
        out += '=';
        out += EncodeValue(value);
    };
    if (!options.user_agent.empty())
        add("User-Agent", options.user_agent);
    if (!options.referrer.empty())
        add("Referer", options.referrer);
    for (const auto& [name, value] : options.fields)
        add(name, value);
    return out;
}

AddressWithOptions SplitStreamOptions(std::string_view text)
{
    AddressWithOptions result;
    size_t bar = text.find('|');
    result.address = text.substr(0, bar);
    if (bar == std::string_view::npos)
        return result;
    std::string_view rest = text.substr(bar + 1);
    while (!rest.empty()) {
        size_t amp = rest.find('&');
        std::string_view pair = rest.substr(0, amp);
        rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
        if (Trim(pair).empty())
            continue;
        size_t eq = pair.find('=');
        if (eq == std::string_view::npos
            || !result.options.Set(pair.substr(0, eq), PercentDecode(pair.substr(eq + 1)))) {
            result.valid = false;
            result.options = {};
            return result;
        }
    }
    return result;
}

}

#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pellamo {

// What a playlist asks of the requests for one of its channels: servers
// that answer only browsers or only visitors from their own pages. They
// reach the engine for that channel's play only.
struct StreamOptions {
    std::string user_agent;
    std::string referrer;
    // Other header fields, in the order given; one per name.
    std::vector<std::pair<std::string, std::string>> fields;

    bool Empty() const { return user_agent.empty() && referrer.empty() && fields.empty(); }
    bool operator==(const StreamOptions&) const = default;

    // Sets a header by its name (any case): User-Agent and Referer have
    // their own places, any other name is a field (a later value of the
    // same name replaces the earlier). Refused, leaving the options as they
    // were: a name that is not an HTTP token, a value with CR, LF or NUL
    // (it would add header lines of its own), and the fields that frame the
    // request itself (Host, Content-Length, Transfer-Encoding, Connection).
    bool Set(std::string_view name, std::string_view value);
    // Later options win over earlier ones, field by field.
    void Merge(const StreamOptions& later);
};

constexpr size_t kMaxHeaderValue = 4096;
constexpr size_t kMaxHeaderFields = 32;

// The options as an address suffix, the form other players read and
// playlists write: "|User-Agent=a%20b&Referer=...", values percent-encoded
// so that the suffix is printable ASCII. Empty when there are none.
std::string StreamOptionsSuffix(const StreamOptions& options);

// An address with an optional suffix of that form, taken apart at its
// first '|'. Values are percent-decoded. A suffix with any refused header
// makes the whole address refused (`valid` false): a server reached without
// the header the list asked for fails in ways that tell the viewer nothing.
struct AddressWithOptions {
    std::string_view address;
    StreamOptions options;
    bool valid = true;
};
AddressWithOptions SplitStreamOptions(std::string_view text);

}

#pragma once

#include "stream/stream_options.h"

#include <string>
#include <string_view>

namespace pellamo {

// Decides what a player may hand to the engine. Addresses come from the
// catalogue and from scraped web pages, so they are untrusted: only network
// schemes pass, and the schemes the engine lacks are rewritten to ones it has.
class StreamAddress {
public:
    // Takes a UTF-8 address. Surrounding blanks (often left by a page cut)
    // are dropped. A "|Name=value&..." suffix names header fields for the
    // stream's requests (see SplitStreamOptions).
    static StreamAddress Parse(std::string_view utf8);

    bool Allowed() const { return m_error.empty(); }
    // Why the address is refused; empty when allowed.
    const std::string& Error() const { return m_error; }
    // What the engine is given first.
    const std::string& EngineUrl() const { return m_engine_url; }
    // What to try when the first attempt fails (mms: the TCP variant);
    // empty when there is nothing else to try.
    const std::string& FallbackUrl() const { return m_fallback_url; }
    // The header fields the address asked for.
    const StreamOptions& Options() const { return m_options; }

    // An address as messages quote it: in quotes, control characters
    // replaced, cut short (a scraped address can be a whole page), without
    // its header fields (they may hold a cookie).
    static std::string Shown(std::string_view address);

private:
    std::string m_engine_url;
    std::string m_fallback_url;
    std::string m_error;
    StreamOptions m_options;
};

}

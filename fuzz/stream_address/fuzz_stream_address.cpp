// Stream addresses are cut out of web pages. Whatever the bytes, the check
// must end with an error or with an address the engine may open: a network
// scheme, a server part, no control characters.
#include "stream/stream_address.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool Printable(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    return true;
}

bool NetworkUrl(std::string_view url)
{
    for (std::string_view scheme : { "http://", "https://", "mms://", "mmsh://", "mmst://", "rtsp://", "rtmp://" })
        if (url.starts_with(scheme) && url.size() > scheme.size() && url[scheme.size()] != '/')
            return Printable(url);
    return false;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    pellamo::StreamAddress address = pellamo::StreamAddress::Parse(input);
    if (!address.Allowed()) {
        if (!address.EngineUrl().empty() || !address.FallbackUrl().empty() || !Printable(address.Error())
            || address.Error().size() > 200)
            std::abort();
        return 0;
    }
    if (!NetworkUrl(address.EngineUrl()))
        std::abort();
    if (!address.FallbackUrl().empty()
        && (!address.EngineUrl().starts_with("mms://") || !address.FallbackUrl().starts_with("mmst://")))
        std::abort();
    return 0;
}

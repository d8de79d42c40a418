// Viewers' playlists come from anywhere. Whatever the bytes, reading ends,
// and every channel it yields has an address the player may open and a
// title fit for a tree label; header fields never hold a line break and
// reach the player unchanged.
#include "catalogue/playlist_reader.h"
#include "platform/text/utf8.h"
#include "stream/stream_address.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool HeaderValue(std::string_view text)
{
    return std::none_of(text.begin(), text.end(),
        [](char c) { return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F; });
}

bool Label(std::string_view text, bool may_be_empty)
{
    if (text.size() > pellamo::kMaxPlaylistTitle || !pellamo::IsValidUtf8(text))
        return false;
    if (text.empty())
        return may_be_empty;
    return std::none_of(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    pellamo::Playlist playlist = pellamo::ReadPlaylist(input);
    size_t lines = static_cast<size_t>(
                       std::count(input.begin(), input.end(), '\n') + std::count(input.begin(), input.end(), '\r'))
        + 1;
    if (playlist.skipped < 0 || static_cast<size_t>(playlist.skipped) > lines || playlist.channels.size() > lines)
        std::abort();
    for (const pellamo::PlaylistChannel& channel : playlist.channels) {
        if (!pellamo::StreamAddress::Parse(channel.address).Allowed() || !pellamo::IsValidUtf8(channel.address))
            std::abort();
        if (!Label(channel.title, false) || !Label(channel.group, true))
            std::abort();
        const pellamo::StreamOptions& options = channel.options;
        if (!HeaderValue(options.user_agent) || !HeaderValue(options.referrer))
            std::abort();
        for (const auto& [name, value] : options.fields)
            if (!HeaderValue(name) || !HeaderValue(value))
                std::abort();
        pellamo::StreamAddress played
            = pellamo::StreamAddress::Parse(channel.address + pellamo::StreamOptionsSuffix(options));
        if (!played.Allowed() || !(played.Options() == options))
            std::abort();
    }
    return 0;
}

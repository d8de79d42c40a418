#pragma once

#include "stream/stream_options.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

// One channel of a viewer's playlist. All text is UTF-8.
struct PlaylistChannel {
    std::string title; // the #EXTINF title; the address when the entry has none
    std::string group; // group-title (or #EXTGRP); empty when the entry has none
    std::string address; // as written, and accepted by the stream-address check
    // How a programme guide names the channel (tvg-id, tvg-name); empty when not given.
    std::string tvg_id;
    std::string tvg_name;

    // tvg-logo: the address of the channel's picture as written (control
    // characters dropped); empty when the entry has none or it is too long.
    std::string logo;

    // Header fields the list names for this channel's server (#EXTVLCOPT,
    // #EXTHTTP, an "address|Name=value" suffix); the address is without
    // the suffix.
    StreamOptions options;
};

struct Playlist {
    std::vector<PlaylistChannel> channels;
    // Lines that could not be used: addresses the stream-address check
    // refuses, #EXTINF lines without an address, lines with NUL bytes,
    // lines too long to be real, addresses with undecodable bytes.
    int skipped = 0;
    // An HLS playlist (segments or variants of one stream): the address it
    // came from is a stream to play, not a list of channels.
    bool stream = false;
    // Stream-option tags that could not be used: values that would break
    // a request, #EXTHTTP text that is not a flat JSON object of texts.
    int ignored_options = 0;
    // Where the stored copy came from (#PELLAMO-SOURCE), empty when not recorded.
    std::string source;
    // Programme guides the list names (url-tvg / x-tvg-url of #EXTM3U), in order.
    std::vector<std::string> guides;
};

// Reads an M3U / M3U8 channel list, strict about safety and lenient about
// style: UTF-8 (with or without a byte-order mark) or GBK text, LF, CR LF or
// CR line ends, #EXTM3U optional, bare address lines, #EXTINF attributes in
// any order with or without quotes. Lines it cannot use are counted in
// `skipped`, never a failure of the whole list.
Playlist ReadPlaylist(std::string_view bytes);

// The line that records a stored copy's origin, newline included; the
// source is percent-encoded so that the line stays ASCII.
std::string PlaylistSourceLine(std::string_view source);

// Limits: longer lines are refused, longer titles and groups cut at a
// character boundary (tree labels hold at most 255 bytes).
constexpr size_t kMaxPlaylistLine = 16 * 1024;
constexpr size_t kMaxPlaylistTitle = 255;
constexpr size_t kMaxPlaylistLogo = 2048;
}

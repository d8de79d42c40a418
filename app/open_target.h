#pragma once

#include <string>
#include <string_view>

namespace pellamo {

// What a viewer asked to open: a word from the command line, the text of
// the open dialog, or one item of a drop.
struct OpenTarget {
    enum class Kind {
        PlaylistFile, // `value`: an absolute path
        PlaylistAddress, // `value`: an http(s) address to download
        Stream, // `value`: an address to play at once
        Invalid, // `error` says why
    };
    Kind kind = Kind::Invalid;
    std::string value; // UTF-8
    std::string error;
};

// Tells a playlist from a stream: files (paths, ~/ paths, file:// URIs)
// are playlists; web addresses are playlists when their path ends in .m3u
// or .m3u8, or when the viewer said so (`playlist_wanted`); any other
// address is a stream and must pass the stream-address allow-list.
// Relative paths are taken from `directory`.
OpenTarget ClassifyOpenTarget(std::string_view text, bool playlist_wanted, const std::string& directory);

}

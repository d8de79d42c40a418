#pragma once

#include "catalogue/playlist_reader.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

// A playlist as the store keeps it.
struct StoredPlaylist {
    std::string name; // UTF-8: the file name without its extension
    std::filesystem::path file;
    Playlist playlist;
    std::string error; // why the file could not be read; empty when it was
};

// The viewer's playlists: one M3U file each in a directory of their own.
// The store holds nothing in memory; every call looks at the files, so what
// the viewer put there by hand counts as much as what the program added.
class PlaylistStore {
public:
    explicit PlaylistStore(std::filesystem::path directory);

    // $XDG_CONFIG_HOME/pellamo/playlists, or ~/.config/pellamo/playlists
    // when $XDG_CONFIG_HOME is unset or not absolute.
    static std::filesystem::path DefaultDirectory();
    const std::filesystem::path& Directory() const { return directory_; }

    // Every *.m3u and *.m3u8 file, ordered by name. A missing directory is
    // an empty store; a file that cannot be read is listed with its error.
    std::vector<StoredPlaylist> Load() const;

    struct Added {
        std::string name; // empty when nothing was stored
        Playlist playlist;
    };
    // Keeps `bytes`, which came from `source` (a path or an address), as a
    // playlist. The bytes are read first, and the files change only once
    // they have proven usable: bytes without a single usable channel are
    // refused with std::runtime_error, and an HLS stream is stored not at
    // all (the result says so in playlist.stream). The copy of the same
    // source is replaced in one step; another playlist of the same name is
    // left alone and the new one takes a numbered name. Throws
    // std::runtime_error when the file cannot be written.
    Added Add(std::string_view source, std::string_view bytes);

    // Removes a stored playlist's file. Throws std::runtime_error when it
    // cannot, or when the file is not one of the store's.
    void Remove(const std::filesystem::path& file);

    // Adds a channel at the end of the playlist `name`, which is made when
    // it does not exist yet; the text goes in the encoding the file has.
    void AppendChannel(const std::string& name, std::string_view title, std::string_view address);

    // The name a playlist from `source` is given: the last part of its
    // path without the extension (the host when that is empty).
    static std::string SuggestName(std::string_view source);

    // Larger files are not playlists a viewer keeps.
    static constexpr size_t kMaxBytes = 64 * 1024 * 1024;

private:
    std::filesystem::path FileFor(const std::string& name) const;
    std::filesystem::path Existing(const std::string& name) const;
    void Write(const std::filesystem::path& file, std::string_view content) const;

    std::filesystem::path directory_;
};

}

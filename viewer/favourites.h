#pragma once

#include "catalogue/playlist_store.h"
#include "viewer/channel_ref.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace pellamo {

// The viewer's favourite channels, from any tree, kept in the order they
// were added as favourites.m3u in the playlists folder (an ordinary M3U
// that other players read). Every change is written at once; when the file
// cannot be written the change is not made and std::runtime_error says why.
class Favourites {
public:
    static constexpr const char* kFileName = "favourites.m3u";
    // The playlist the program used to keep saved addresses in; its
    // channels become favourites once.
    static constexpr const char* kOldPlaylistName = "收藏";

    explicit Favourites(std::filesystem::path playlists_directory);

    const std::filesystem::path& File() const { return file_; }

    // Reads the file again; a missing file is no favourites. Returns why it
    // could not be read (the list is then empty and the file left alone).
    std::string Load();

    const std::vector<ChannelRef>& Channels() const { return channels_; }
    bool Contains(const ChannelRef& channel) const;

    // Adds a channel (at the end; nothing when it is there already).
    void Add(const ChannelRef& channel);
    void Remove(const ChannelRef& channel);
    // Adds or removes; true when the channel is a favourite afterwards.
    bool Toggle(const ChannelRef& channel);

    // Takes the channels of the old saved-address playlist: they join the
    // favourites, the favourites are written, and only then is the old file
    // renamed to "<file>.old" so that it is read once. Returns how many
    // channels were new.
    size_t TakeOver(const StoredPlaylist& old);

private:
    void Write(const std::vector<ChannelRef>& channels);

    std::filesystem::path file_;
    std::vector<ChannelRef> channels_;
    bool unreadable_ = false; // a file that failed to load is never overwritten
};

// A playlist channel as the viewer's lists keep it.
ChannelRef PlaylistChannelRef(const PlaylistChannel& channel);

}

#pragma once

#include "catalogue/playlist_store.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

// One node of the viewer's own channel tree, in depth-first order.
struct MyChannelsRow {
    int level = 0; // 0: a playlist; 1: a group or a channel; 2: a channel of a group
    std::string text; // GBK, as tree labels are
    int playlist = 0; // index in Playlists()
    int channel = -1; // index in that playlist's channels; -1 for playlists and groups
};

// The tree of the viewer's own channels: the playlists, in each its
// group-title groups where the first channel of the group stands, and the
// channels by their titles.
class MyChannels {
public:
    void Set(std::vector<StoredPlaylist> playlists);

    const std::vector<StoredPlaylist>& Playlists() const { return playlists_; }
    const std::vector<MyChannelsRow>& Rows() const { return rows_; }
    // The address of a channel row as the player host takes it (GBK), with
    // the channel's header fields as its "|Name=value" suffix; empty for
    // playlists and groups.
    std::string Address(size_t row) const;

    size_t ChannelCount() const { return channels_; }
    int SkippedCount() const { return skipped_; }

private:
    std::vector<StoredPlaylist> playlists_;
    std::vector<MyChannelsRow> rows_;
    size_t channels_ = 0;
    int skipped_ = 0;
};

// A UTF-8 address in the GBK form the player host takes: the same
// characters when GBK has them all, otherwise with every non-ASCII byte
// percent-encoded (which is what reaches the server either way).
std::string PlayerAddress(std::string_view utf8);

}

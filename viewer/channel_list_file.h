#pragma once

#include "viewer/channel_ref.h"

#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

// Favourites and recent channels as an ordinary M3U file, so that another
// player can take the playlist channels as they are:
//
//     #EXTM3U
//     #EXTINF:-1 tvg-logo="http://l.example/a.png" group-title="News",Channel A
//     http://tv.example/a.m3u8
//     #EXTINF:-1 group-title="精选频道" pellamo-tree="television",中央一台
//     pellamo:television/%E4%B8%AD%E5%A4%AE%E4%B8%80%E5%8F%B0
//
// A built-in channel has no address of its own: its line names the tree and
// the channel, and other players pass over it.
std::string WriteChannelList(const std::vector<ChannelRef>& channels);

// Reads what WriteChannelList wrote, and what a viewer or another player
// made of it: entries whose address is no network stream, and lines too
// long to be real, are left out. Never throws.
std::vector<ChannelRef> ReadChannelList(std::string_view bytes);

}

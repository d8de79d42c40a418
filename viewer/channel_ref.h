#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pellamo {

// Which tree a channel stands in.
enum class ChannelTree { Television, Radio, Mine };

// "television", "radio", "mine": how files and settings name the trees.
std::string_view TreeKey(ChannelTree tree);
std::optional<ChannelTree> TreeFromKey(std::string_view key);

// A channel the viewer can come back to: one of the built-in trees' (by its
// name, since the trees tune by name) or one of the viewer's playlists' (by
// its address). All text is UTF-8.
struct ChannelRef {
    ChannelTree tree = ChannelTree::Mine;
    std::string name;
    std::string group; // the category or group-title; may be empty
    std::string address; // the stream address of a playlist channel; empty for the built-in trees
    std::string logo; // tvg-logo; may be empty

    bool BuiltIn() const { return tree != ChannelTree::Mine; }
    // The same channel: the same built-in name, or the same address.
    bool Same(const ChannelRef& other) const;
};

}

#pragma once

#include "viewer/channel_ref.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

// Every channel of every tree, searchable as the viewer types: a channel
// matches when each word of the query is found somewhere in its name or
// its group, without regard to case or to full-width forms. The text is
// folded once, when a channel is added, so a keystroke only compares.
class ChannelSearch {
public:
    void Clear();
    void Reserve(size_t count);
    // Returns the channel's index.
    size_t Add(ChannelRef channel);
    size_t Size() const { return channels_.size(); }
    const ChannelRef& At(size_t index) const { return channels_[index]; }

    struct Found {
        std::vector<size_t> indices; // the first `limit` matches, in the order they were added
        size_t total = 0; // every match
    };
    // An empty query (or one of blanks only) finds nothing.
    Found Find(std::string_view query, size_t limit) const;

private:
    std::vector<ChannelRef> channels_;
    std::string folded_; // every channel's "name\tgroup\n", one after another
    std::vector<size_t> offsets_; // where each channel's text starts in folded_, and the end
};

}

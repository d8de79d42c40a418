#include "viewer/channel_search.h"

#include "viewer/search_fold.h"

#include <algorithm>

namespace pellamo {

namespace {

constexpr size_t kMaxWords = 16;

}

void ChannelSearch::Clear()
{
    channels_.clear();
    folded_.clear();
    offsets_.clear();
}

void ChannelSearch::Reserve(size_t count)
{
    channels_.reserve(count);
    offsets_.reserve(count + 1);
    folded_.reserve(count * 32);
}

size_t ChannelSearch::Add(ChannelRef channel)
{
    if (offsets_.empty())
        offsets_.push_back(0);
    // The separators are never part of a query word, so no match runs from
    // the name into the group or into the next channel.
    folded_ += FoldForSearch(channel.name + "\t" + channel.group);
    folded_ += '\n';
    offsets_.push_back(folded_.size());
    channels_.push_back(std::move(channel));
    return channels_.size() - 1;
}

ChannelSearch::Found ChannelSearch::Find(std::string_view query, size_t limit) const
{
    Found found;
    std::vector<std::string> words;
    std::string folded = FoldForSearch(query);
    for (size_t i = 0; i < folded.size();) {
        size_t end = folded.find(' ', i);
        if (end == std::string::npos)
            end = folded.size();
        if (end > i) {
            std::string word = folded.substr(i, end - i);
            if (word.find_first_of("\t\n") == std::string::npos && words.size() < kMaxWords)
                words.push_back(std::move(word));
        }
        i = end + 1;
    }
    if (words.empty() || channels_.empty())
        return found;
    // One pass per word over all the text; a hit is credited to its channel.
    std::vector<unsigned char> hits(channels_.size(), 0);
    std::string_view text = folded_;
    for (size_t w = 0; w < words.size(); ++w) {
        size_t at = 0;
        while ((at = text.find(words[w], at)) != std::string_view::npos) {
            size_t channel
                = static_cast<size_t>(std::upper_bound(offsets_.begin(), offsets_.end(), at) - offsets_.begin()) - 1;
            if (hits[channel] == w)
                hits[channel] = static_cast<unsigned char>(w + 1);
            at = offsets_[channel + 1]; // the next channel
        }
    }
    for (size_t c = 0; c < channels_.size(); ++c) {
        if (hits[c] != words.size())
            continue;
        if (found.indices.size() < limit)
            found.indices.push_back(c);
        ++found.total;
    }
    return found;
}

}

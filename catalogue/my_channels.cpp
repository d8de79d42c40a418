#include "catalogue/my_channels.h"

#include "platform/text/gbk.h"
#include "platform/text/percent_encoding.h"

#include <map>

namespace pellamo {

namespace {

// Labels are converted in one go: one conversion per label would cost more
// than reading the list.
std::vector<std::string> ToGbk(const std::vector<std::string_view>& labels)
{
    std::string joined;
    for (std::string_view label : labels) {
        for (char c : label)
            joined += c == '\n' ? ' ' : c;
        joined += '\n';
    }
    std::string gbk = Utf8ToGbk(joined);
    std::vector<std::string> out;
    out.reserve(labels.size());
    size_t start = 0;
    for (size_t end; (end = gbk.find('\n', start)) != std::string::npos; start = end + 1)
        out.push_back(gbk.substr(start, end - start));
    return out;
}

}

void MyChannels::Set(std::vector<StoredPlaylist> playlists)
{
    playlists_ = std::move(playlists);
    rows_.clear();
    channels_ = 0;
    skipped_ = 0;
    std::vector<std::string_view> labels;
    for (size_t p = 0; p < playlists_.size(); ++p) {
        const Playlist& list = playlists_[p].playlist;
        channels_ += list.channels.size();
        skipped_ += list.skipped;
        int index = static_cast<int>(p);
        rows_.push_back({ 0, {}, index, -1 });
        labels.push_back(playlists_[p].name);

        // A group sits where its first channel is; ungrouped channels sit
        // directly under the playlist, in the list's order.
        struct Slot {
            int channel; // -1 for a group
            int group;
        };
        std::vector<Slot> slots;
        std::vector<std::vector<int>> groups;
        std::map<std::string_view, int> group_index;
        for (size_t c = 0; c < list.channels.size(); ++c) {
            const std::string& group = list.channels[c].group;
            if (group.empty()) {
                slots.push_back({ static_cast<int>(c), -1 });
                continue;
            }
            auto [it, fresh] = group_index.emplace(group, static_cast<int>(groups.size()));
            if (fresh) {
                groups.emplace_back();
                slots.push_back({ -1, it->second });
            }
            groups[static_cast<size_t>(it->second)].push_back(static_cast<int>(c));
        }
        for (const Slot& slot : slots) {
            if (slot.channel >= 0) {
                rows_.push_back({ 1, {}, index, slot.channel });
                labels.push_back(list.channels[static_cast<size_t>(slot.channel)].title);
                continue;
            }
            const std::vector<int>& members = groups[static_cast<size_t>(slot.group)];
            rows_.push_back({ 1, {}, index, -1 });
            labels.push_back(list.channels[static_cast<size_t>(members.front())].group);
            for (int c : members) {
                rows_.push_back({ 2, {}, index, c });
                labels.push_back(list.channels[static_cast<size_t>(c)].title);
            }
        }
    }
    std::vector<std::string> gbk = ToGbk(labels);
    for (size_t i = 0; i < rows_.size() && i < gbk.size(); ++i)
        rows_[i].text = std::move(gbk[i]);
}

std::string MyChannels::Address(size_t row) const
{
    if (row >= rows_.size() || rows_[row].channel < 0)
        return {};
    const MyChannelsRow& r = rows_[row];
    const PlaylistChannel& channel
        = playlists_[static_cast<size_t>(r.playlist)].playlist.channels[static_cast<size_t>(r.channel)];
    // The header fields travel with the address to the engine.
    return PlayerAddress(channel.address + StreamOptionsSuffix(channel.options));
}

std::string PlayerAddress(std::string_view utf8)
{
    std::string gbk = Utf8ToGbk(utf8);
    if (GbkToUtf8(gbk) == utf8)
        return gbk;
    std::string encoded;
    for (char c : utf8) {
        if (static_cast<unsigned char>(c) < 0x80)
            encoded += c;
        else
            encoded += PercentEncode(std::string_view(&c, 1));
    }
    return encoded;
}

}

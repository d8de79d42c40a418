#include "viewer/favourites.h"

#include "viewer/atomic_file.h"
#include "viewer/channel_list_file.h"

#include <algorithm>
#include <stdexcept>

namespace pellamo {

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxBytes = 16 * 1024 * 1024;

}

ChannelRef PlaylistChannelRef(const PlaylistChannel& channel)
{
    ChannelRef ref;
    ref.tree = ChannelTree::Mine;
    ref.name = channel.title;
    ref.group = channel.group;
    ref.address = channel.address;
    ref.logo = channel.logo;
    return ref;
}

Favourites::Favourites(fs::path playlists_directory)
    : file_(std::move(playlists_directory) / kFileName)
{
}

std::string Favourites::Load()
{
    channels_.clear();
    unreadable_ = false;
    try {
        if (std::optional<std::string> bytes = ReadSmallFile(file_, kMaxBytes))
            channels_ = ReadChannelList(*bytes);
        return {};
    } catch (const std::runtime_error& e) {
        unreadable_ = true;
        return e.what();
    }
}

bool Favourites::Contains(const ChannelRef& channel) const
{
    return std::any_of(channels_.begin(), channels_.end(), [&](const ChannelRef& c) { return c.Same(channel); });
}

void Favourites::Write(const std::vector<ChannelRef>& channels)
{
    if (unreadable_)
        throw std::runtime_error(
            "The favourites in " + file_.string() + " could not be read; they are left as they are");
    WriteFileAtomically(file_, WriteChannelList(channels));
    channels_ = channels;
}

void Favourites::Add(const ChannelRef& channel)
{
    if (Contains(channel))
        return;
    std::vector<ChannelRef> changed = channels_;
    changed.push_back(channel);
    Write(changed);
}

void Favourites::Remove(const ChannelRef& channel)
{
    std::vector<ChannelRef> changed = channels_;
    std::erase_if(changed, [&](const ChannelRef& c) { return c.Same(channel); });
    if (changed.size() != channels_.size())
        Write(changed);
}

bool Favourites::Toggle(const ChannelRef& channel)
{
    if (Contains(channel)) {
        Remove(channel);
        return false;
    }
    Add(channel);
    return true;
}

size_t Favourites::TakeOver(const StoredPlaylist& old)
{
    if (!old.error.empty())
        return 0; // an old file that cannot be read stays for the next run
    std::vector<ChannelRef> changed = channels_;
    size_t added = 0;
    for (const PlaylistChannel& channel : old.playlist.channels) {
        ChannelRef ref = PlaylistChannelRef(channel);
        if (std::none_of(changed.begin(), changed.end(), [&](const ChannelRef& c) { return c.Same(ref); })) {
            changed.push_back(std::move(ref));
            ++added;
        }
    }
    Write(changed);
    std::error_code ec;
    fs::rename(old.file, fs::path(old.file.string() + ".old"), ec);
    if (ec)
        throw std::runtime_error("Cannot move " + old.file.string() + " aside: " + ec.message());
    return added;
}

}

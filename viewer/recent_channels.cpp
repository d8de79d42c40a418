#include "viewer/recent_channels.h"

#include "viewer/atomic_file.h"
#include "viewer/channel_list_file.h"

#include <cstdlib>
#include <stdexcept>

namespace pellamo {

namespace fs = std::filesystem;

fs::path RecentChannels::DefaultFile()
{
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        return fs::path(xdg) / "pellamo" / "recent.m3u";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/") / ".config" / "pellamo" / "recent.m3u";
}

RecentChannels::RecentChannels(fs::path file)
    : file_(std::move(file))
{
}

std::string RecentChannels::Load()
{
    channels_.clear();
    try {
        if (std::optional<std::string> bytes = ReadSmallFile(file_, 1024 * 1024))
            channels_ = ReadChannelList(*bytes);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    // Kept by hand or by another program: the same rules as our own writes.
    std::vector<ChannelRef> kept;
    for (ChannelRef& c : channels_) {
        bool twice = false;
        for (const ChannelRef& k : kept)
            twice = twice || k.Same(c);
        if (!twice && kept.size() < kMax)
            kept.push_back(std::move(c));
    }
    channels_ = std::move(kept);
    return {};
}

void RecentChannels::Note(const ChannelRef& channel)
{
    std::erase_if(channels_, [&](const ChannelRef& c) { return c.Same(channel); });
    channels_.insert(channels_.begin(), channel);
    if (channels_.size() > kMax)
        channels_.resize(kMax);
}

std::string RecentChannels::FileText() const { return WriteChannelList(channels_); }

void RecentChannels::Watched(const ChannelRef& channel)
{
    Note(channel);
    WriteFileAtomically(file_, FileText());
}
}

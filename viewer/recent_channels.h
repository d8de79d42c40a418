#pragma once

#include "viewer/channel_ref.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace pellamo {

// The channels watched last, newest first, at most kMax, kept as an M3U
// file ($XDG_CONFIG_HOME/pellamo/recent.m3u) across runs.
class RecentChannels {
public:
    static constexpr size_t kMax = 20;

    static std::filesystem::path DefaultFile();
    explicit RecentChannels(std::filesystem::path file = DefaultFile());

    // Reads the file again; returns why it could not be read (empty when it
    // could or when it is missing).
    std::string Load();
    const std::vector<ChannelRef>& Channels() const { return channels_; }

    // The channel goes to the front (once). Writes the file; throws
    // std::runtime_error when it cannot, the list in memory changed anyway.
    void Watched(const ChannelRef& channel);
    // The same in memory only; FileText() is then what File() should hold.
    void Note(const ChannelRef& channel);
    std::string FileText() const;
    const std::filesystem::path& File() const { return file_; }

private:
    std::filesystem::path file_;
    std::vector<ChannelRef> channels_;
};

}

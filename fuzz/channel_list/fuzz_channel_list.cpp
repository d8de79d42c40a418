// Favourites and recent lists are files a viewer may edit or copy from
// another player. Whatever the bytes, reading ends, every channel can be
// written back, and what is written reads back the same.
#include "viewer/channel_list_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<pellamo::ChannelRef> channels = pellamo::ReadChannelList(input);
    std::string written = pellamo::WriteChannelList(channels);
    std::vector<pellamo::ChannelRef> again = pellamo::ReadChannelList(written);
    if (again.size() != channels.size())
        std::abort();
    for (size_t i = 0; i < channels.size(); ++i)
        if (!again[i].Same(channels[i]) || again[i].name != channels[i].name || again[i].group != channels[i].group)
            std::abort();
    return 0;
}

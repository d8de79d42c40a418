#include "viewer/channel_list_file.h"

#include "catalogue/extinf_line.h"
#include "platform/text/percent_encoding.h"
#include "platform/text/same_text.h"
#include "platform/text/trim.h"
#include "platform/text/utf8.h"
#include "stream/stream_address.h"

#include <optional>

namespace pellamo {

namespace {

constexpr std::string_view kBuiltInScheme = "pellamo:";
constexpr size_t kMaxLine = 16 * 1024;
constexpr size_t kMaxText = 255;
constexpr size_t kMaxLogo = 2048;

// One line of text: control characters become blanks, the length is bounded.
std::string Clean(std::string_view text, size_t max)
{
    std::string out(CutUtf8(ValidUtf8(Trim(text)), max));
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return std::string(Trim(out));
}

// An attribute value between double quotes.
std::string Quoted(std::string_view text, size_t max)
{
    std::string out = Clean(text, max);
    for (char& c : out)
        if (c == '"')
            c = '\'';
    return out;
}

struct Info {
    std::string name, group, logo, tree;
};

Info ParseInfo(std::string_view rest)
{
    Info info;
    ExtInfLine line = SplitExtInf(rest);
    if (line.title)
        info.name = Clean(*line.title, kMaxText);
    for (const auto& [key, value] : line.attributes) {
        if (SameText(key, "group-title"))
            info.group = Clean(value, kMaxText);
        else if (SameText(key, "tvg-logo") && value.size() <= kMaxLogo)
            info.logo = Clean(value, kMaxLogo);
        else if (SameText(key, "pellamo-tree"))
            info.tree = Clean(value, 16);
    }
    return info;
}

// "pellamo:television/<name>" as a built-in channel.
std::optional<ChannelRef> BuiltInChannel(std::string_view address)
{
    address.remove_prefix(kBuiltInScheme.size());
    size_t slash = address.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    std::optional<ChannelTree> tree = TreeFromKey(address.substr(0, slash));
    std::string name = PercentDecode(address.substr(slash + 1));
    if (!tree || *tree == ChannelTree::Mine || name.empty() || name.size() > kMaxText || !IsValidUtf8(name))
        return std::nullopt;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return std::nullopt;
    ChannelRef channel;
    channel.tree = *tree;
    channel.name = std::move(name);
    return channel;
}

}

std::string WriteChannelList(const std::vector<ChannelRef>& channels)
{
    std::string out = "#EXTM3U\n";
    // Appended piece by piece: GCC 12 at -O3 takes "x" + text + "y" for an overlapping copy.
    for (const ChannelRef& c : channels) {
        std::string address;
        if (c.BuiltIn())
            address.append(kBuiltInScheme).append(TreeKey(c.tree)).append("/").append(PercentEncode(c.name));
        else
            address = Clean(c.address, kMaxLine);
        if (address.empty())
            continue;
        out.append("#EXTINF:-1");
        if (!c.logo.empty() && c.logo.size() <= kMaxLogo)
            out.append(" tvg-logo=\"").append(Quoted(c.logo, kMaxLogo)).append("\"");
        if (!c.group.empty())
            out.append(" group-title=\"").append(Quoted(c.group, kMaxText)).append("\"");
        if (c.BuiltIn())
            out.append(" pellamo-tree=\"").append(TreeKey(c.tree)).append("\"");
        out.append(",").append(Clean(c.name, kMaxText)).append("\n").append(address).append("\n");
    }
    return out;
}

std::vector<ChannelRef> ReadChannelList(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    std::vector<ChannelRef> channels;
    std::optional<Info> info;
    while (!bytes.empty()) {
        size_t end = bytes.find_first_of("\r\n");
        std::string_view raw = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        if (raw.size() > kMaxLine || raw.find('\0') != std::string_view::npos) {
            info.reset();
            continue;
        }
        std::string_view line = Trim(raw);
        if (line.empty())
            continue;
        if (line.front() == '#') {
            if (line.size() >= 8 && SameText(line.substr(0, 8), "#EXTINF:"))
                info = ParseInfo(line.substr(8));
            continue;
        }
        std::optional<Info> entry = std::move(info);
        info.reset();
        std::optional<ChannelRef> channel;
        if (line.starts_with(kBuiltInScheme)) {
            channel = BuiltInChannel(line);
        } else if (IsValidUtf8(line) && StreamAddress::Parse(line).Allowed()) {
            channel = ChannelRef {};
            channel->address = std::string(line);
            channel->name = Clean(line, kMaxText);
        }
        if (!channel)
            continue;
        if (entry) {
            // A built-in channel is tuned by the name its address carries.
            if (!entry->name.empty() && !channel->BuiltIn())
                channel->name = entry->name;
            channel->group = entry->group;
            channel->logo = entry->logo;
        }
        channels.push_back(std::move(*channel));
    }
    return channels;
}

}

#include "catalogue/playlist_reader.h"

#include "catalogue/extinf_line.h"
#include "catalogue/playlist_stream_options.h"
#include "platform/text/trim.h"

#include "platform/text/gbk.h"
#include "platform/text/percent_encoding.h"
#include "platform/text/same_text.h"
#include "platform/text/utf8.h"
#include "stream/stream_address.h"

#include <algorithm>
#include <optional>

namespace pellamo {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr std::string_view kSourceTag = "#PELLAMO-SOURCE:";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool StartsWithNoCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
}

// A label for the tree: control characters become blanks, the length is
// bounded at a character boundary.
std::string Label(std::string_view text)
{
    std::string out(CutUtf8(Trim(text), kMaxPlaylistTitle));
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return std::string(Trim(out));
}

// The text as UTF-8: UTF-8 when it is well-formed or says so with a
// byte-order mark (ill-formed bytes then become U+FFFD), GBK otherwise.
std::string Decode(std::string_view bytes)
{
    if (bytes.starts_with(kBom)) {
        bytes.remove_prefix(kBom.size());
        return IsValidUtf8(bytes) ? std::string(bytes) : ValidUtf8(bytes);
    }
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    return GbkToUtf8(bytes);
}

// What an #EXTINF line says about the entry that follows it.
struct EntryInfo {
    std::string title;
    std::string group;
    std::string tvg_id;
    std::string tvg_name;
    std::string logo;
};

// A picture address is used only whole: a cut one would name another file.
std::string LogoAddress(std::string_view value)
{
    value = Trim(value);
    if (value.size() > kMaxPlaylistLogo)
        return {};
    std::string out;
    for (char c : value)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)
            out += c;
    return out;
}

// An "#EXTINF:" line's title and the attributes the program uses.
EntryInfo ParseExtInf(std::string_view rest)
{
    EntryInfo info;
    std::string tvg_name;
    ExtInfLine line = SplitExtInf(rest);
    if (line.title)
        info.title = Label(*line.title);
    for (const auto& [key, value] : line.attributes) {
        if (SameText(key, "group-title"))
            info.group = Label(value);
        else if (SameText(key, "tvg-name"))
            tvg_name = Label(value);
        else if (SameText(key, "tvg-id"))
            info.tvg_id = Label(value);
        else if (SameText(key, "tvg-logo"))
            info.logo = LogoAddress(value);
    }
    info.tvg_name = tvg_name;
    if (info.title.empty())
        info.title = tvg_name;
    return info;
}

// The guide addresses of an "#EXTM3U url-tvg="a,b" ..." line: either
// attribute, quoted or not, each a comma-separated list. Only web
// addresses are taken; a list cannot make the program read local files.
void ReadGuideAddresses(std::string_view line, std::vector<std::string>& out)
{
    for (std::string_view key : { "url-tvg=", "x-tvg-url=" }) {
        for (size_t at = 0; at < line.size();) {
            size_t found = line.size();
            for (size_t i = at; i + key.size() <= line.size(); ++i)
                if (StartsWithNoCase(line.substr(i), key) && (i == 0 || IsBlank(line[i - 1]))) {
                    found = i;
                    break;
                }
            if (found == line.size())
                break;
            size_t i = found + key.size();
            std::string_view value;
            if (i < line.size() && (line[i] == '"' || line[i] == '\'')) {
                size_t end = line.find(line[i], i + 1);
                value = line.substr(i + 1, (end == std::string_view::npos ? line.size() : end) - i - 1);
                at = end == std::string_view::npos ? line.size() : end + 1;
            } else {
                size_t end = i;
                while (end < line.size() && !IsBlank(line[end]))
                    ++end;
                value = line.substr(i, end - i);
                at = end;
            }
            while (!value.empty()) {
                size_t comma = value.find(',');
                std::string_view one = Trim(value.substr(0, comma));
                value.remove_prefix(comma == std::string_view::npos ? value.size() : comma + 1);
                if ((StartsWithNoCase(one, "http://") || StartsWithNoCase(one, "https://")) && one.size() <= 2048
                    && std::find(out.begin(), out.end(), one) == out.end())
                    out.emplace_back(one);
            }
        }
    }
}

bool IsStreamTag(std::string_view line)
{
    for (std::string_view tag : { "#EXT-X-TARGETDURATION", "#EXT-X-STREAM-INF", "#EXT-X-MEDIA-SEQUENCE" })
        if (StartsWithNoCase(line, tag))
            return true;
    return false;
}

class Reader {
public:
    explicit Reader(Playlist& out)
        : out_(out)
    {
    }

    void Line(std::string_view raw)
    {
        if (raw.size() > kMaxPlaylistLine || raw.find('\0') != std::string_view::npos) {
            // Whether it was the entry's address or its #EXTINF, the entry
            // under way is broken: one count for both.
            ++out_.skipped;
            info_.reset();
            group_.clear();
            options_.Reset();
            return;
        }
        std::string_view line = Trim(raw);
        if (line.empty())
            return;
        if (line.front() == '#') {
            Tag(line);
            return;
        }
        Address(line);
    }

    void End()
    {
        if (info_)
            ++out_.skipped; // an #EXTINF that no address followed
    }

private:
    void Tag(std::string_view line)
    {
        switch (options_.Read(line)) {
        case PlaylistStreamOptions::Tag::Taken:
            return;
        case PlaylistStreamOptions::Tag::Ignored:
            ++out_.ignored_options;
            return;
        case PlaylistStreamOptions::Tag::NotOurs:
            break;
        }
        if (StartsWithNoCase(line, "#EXTINF:")) {
            if (info_)
                ++out_.skipped;
            info_ = ParseExtInf(line.substr(8));
        } else if (StartsWithNoCase(line, "#EXTGRP:")) {
            group_ = Label(line.substr(8));
        } else if (StartsWithNoCase(line, kSourceTag)) {
            // The first record is the copy's own; a later one came with
            // the bytes it was made from.
            if (out_.source.empty())
                out_.source = PercentDecode(Trim(line.substr(kSourceTag.size())));
        } else if (StartsWithNoCase(line, "#EXTM3U")) {
            ReadGuideAddresses(line.substr(7), out_.guides);
        } else if (IsStreamTag(line)) {
            out_.stream = true;
        }
        // #EXTM3U and every other tag (other player options, EPG hints) are style.
    }

    void Address(std::string_view line)
    {
        std::optional<EntryInfo> info = std::move(info_);
        info_.reset();
        std::string group = std::move(group_);
        group_.clear();
        StreamOptions options = options_.Take();
        // The suffix is the address's own, so it wins over the tags.
        AddressWithOptions split = SplitStreamOptions(line);
        // Undecodable bytes in an address would reach the server as
        // something the list's author never wrote.
        if (line.find(kReplacement) != std::string_view::npos || !StreamAddress::Parse(line).Allowed()) {
            ++out_.skipped;
            return;
        }
        PlaylistChannel channel;
        channel.address = std::string(Trim(split.address));
        options.Merge(split.options);
        channel.options = std::move(options);
        if (info) {
            channel.tvg_id = std::move(info->tvg_id);
            channel.tvg_name = std::move(info->tvg_name);
            channel.title = std::move(info->title);
            channel.logo = std::move(info->logo);
            channel.group = info->group.empty() ? std::move(group) : std::move(info->group);
        } else {
            channel.group = std::move(group);
        }
        if (channel.title.empty())
            channel.title = Label(line);
        out_.channels.push_back(std::move(channel));
    }

    Playlist& out_;
    std::optional<EntryInfo> info_;
    std::string group_;
    PlaylistStreamOptions options_;
};

}

Playlist ReadPlaylist(std::string_view bytes)
{
    Playlist playlist;
    std::string text = Decode(bytes);
    Reader reader(playlist);
    std::string_view rest = text;
    while (!rest.empty()) {
        size_t end = rest.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            reader.Line(rest);
            break;
        }
        reader.Line(rest.substr(0, end));
        size_t next = end + 1;
        if (rest[end] == '\r' && next < rest.size() && rest[next] == '\n')
            ++next;
        rest.remove_prefix(next);
    }
    reader.End();
    return playlist;
}

std::string PlaylistSourceLine(std::string_view source)
{
    return std::string(kSourceTag) + PercentEncode(source) + "\n";
}

}

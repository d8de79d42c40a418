#include "app/viewer_playlists.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace pellamo {

namespace {

std::string Quoted(const std::string& name)
{
    return "\xE2\x80\x9C" + name + "\xE2\x80\x9D"; // “name”
}

// "：N 个频道，M 行无法使用，K 条播放选项已忽略"
std::string Counts(size_t channels, int skipped, int ignored_options = 0)
{
    std::string text = "\xEF\xBC\x9A" + std::to_string(channels) + " 个频道";
    if (skipped > 0)
        text += "\xEF\xBC\x8C" + std::to_string(skipped) + " 行无法使用";
    if (ignored_options > 0)
        text += "\xEF\xBC\x8C" + std::to_string(ignored_options) + " 条播放选项已忽略";
    return text;
}

std::string SizeText(uint64_t bytes)
{
    if (bytes < 1024 * 1024)
        return std::to_string((bytes + 1023) / 1024) + " KB";
    return std::to_string(bytes / (1024 * 1024)) + "." + std::to_string(bytes % (1024 * 1024) * 10 / (1024 * 1024))
        + " MB";
}

bool IsWebAddress(const std::string& source) { return source.starts_with("http://") || source.starts_with("https://"); }

WebDownload::Limits DownloadLimits(WebDownload::Limits limits)
{
    limits.max_bytes = std::min(limits.max_bytes, PlaylistStore::kMaxBytes);
    return limits;
}

}

ViewerPlaylists::ViewerPlaylists(Host& host, PlaylistStore store, WebDownload::Limits limits)
    : host_(host)
    , store_(std::move(store))
    , favourites_(store_.Directory())
    , limits_(DownloadLimits(std::move(limits)))
{
}

std::vector<StoredPlaylist> ViewerPlaylists::Gather()
{
    std::string problem = favourites_.Load();
    if (!problem.empty())
        host_.ShowError(problem);
    std::vector<StoredPlaylist> found = store_.Load();
    std::vector<StoredPlaylist> playlists;
    for (StoredPlaylist& playlist : found) {
        if (playlist.file == favourites_.File())
            continue;
        if (playlist.name == Favourites::kOldPlaylistName && problem.empty() && playlist.error.empty()) {
            try {
                favourites_.TakeOver(playlist);
                continue;
            } catch (const std::exception& e) {
                host_.ShowError(e.what()); // shown as it was until the next try
            }
        }
        playlists.push_back(std::move(playlist));
    }
    favourites_shown_ = !favourites_.Channels().empty();
    if (favourites_shown_) {
        StoredPlaylist shown;
        shown.name = kSavedAddresses;
        shown.file = favourites_.File();
        for (const ChannelRef& c : favourites_.Channels()) {
            // Built-in channels carry no address: ChannelAt() tells what they are.
            PlaylistChannel channel;
            channel.title = c.name;
            channel.address = c.address;
            channel.logo = c.logo;
            shown.playlist.channels.push_back(std::move(channel));
        }
        playlists.insert(playlists.begin(), std::move(shown));
    }
    return playlists;
}

void ViewerPlaylists::Show(const std::string& added)
{
    channels_.Set(Gather());
    host_.PlaylistsChanged(added);
}

std::optional<ChannelRef> ViewerPlaylists::ChannelAt(size_t row) const
{
    const auto& rows = channels_.Rows();
    if (row >= rows.size() || rows[row].channel < 0)
        return std::nullopt;
    size_t playlist = static_cast<size_t>(rows[row].playlist);
    size_t channel = static_cast<size_t>(rows[row].channel);
    if (IsFavourites(playlist)) {
        if (channel < favourites_.Channels().size())
            return favourites_.Channels()[channel];
        return std::nullopt;
    }
    return PlaylistChannelRef(channels_.Playlists()[playlist].playlist.channels[channel]);
}

void ViewerPlaylists::ToggleFavourite(const ChannelRef& channel)
{
    try {
        bool now = favourites_.Toggle(channel);
        Show({});
        host_.ShowStatus((now ? "已加入收藏" : "已移出收藏") + Quoted(channel.name));
    } catch (const std::exception& e) {
        host_.ShowError(std::string("Cannot change the favourites: ") + e.what());
    }
}

void ViewerPlaylists::Reload(bool announce)
{
    Show({});
    if (!announce || channels_.Playlists().empty())
        return;
    std::string text = "我的频道" + Counts(channels_.ChannelCount(), channels_.SkippedCount());
    for (const StoredPlaylist& playlist : channels_.Playlists())
        if (!playlist.error.empty())
            text += "\xEF\xBC\x8C" + Quoted(playlist.name) + " 无法读取: " + playlist.error;
    host_.ShowStatus(text);
}

void ViewerPlaylists::Open(const OpenTarget& target)
{
    switch (target.kind) {
    case OpenTarget::Kind::PlaylistFile:
        AddFile(target.value);
        break;
    case OpenTarget::Kind::PlaylistAddress:
        Download(target.value);
        break;
    case OpenTarget::Kind::Stream:
        host_.Play(target.value, target.value);
        break;
    case OpenTarget::Kind::Invalid:
        host_.ShowError(target.error);
        break;
    }
}

void ViewerPlaylists::AddFile(const std::string& path)
{
    std::error_code ec;
    uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) {
        host_.ShowError("Cannot read the playlist " + path + ": " + ec.message());
        return;
    }
    if (size > PlaylistStore::kMaxBytes) {
        host_.ShowError("Cannot read the playlist " + path + ": the file is larger than 64 MB");
        return;
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes { std::istreambuf_iterator<char>(in), {} };
    if (!in.good() && !in.eof()) {
        host_.ShowError("Cannot read the playlist " + path);
        return;
    }
    Keep(path, bytes);
}

void ViewerPlaylists::Download(const std::string& address)
{
    std::string name = PlaylistStore::SuggestName(address);
    if (Downloading(address)) {
        host_.ShowStatus("播放列表 " + name + " 正在下载");
        return;
    }
    host_.ShowStatus("正在下载播放列表 " + name + " ...");
    if (!web_)
        web_ = std::make_unique<WebDownload>(EventLoop::Main(), limits_);
    WebDownload::Id id = web_->Start(
        address,
        [this, name](const WebDownload::Progress& p) {
            std::string done = p.total > 0 ? std::to_string(p.received * 100 / p.total) + "%" : SizeText(p.received);
            host_.ShowStatus("正在下载播放列表 " + name + "\xEF\xBC\x9A" + done);
        },
        [this, address](WebDownload::Result result) { Downloaded(address, std::move(result)); });
    downloads_[address] = id;
}

void ViewerPlaylists::Downloaded(const std::string& address, WebDownload::Result result)
{
    downloads_.erase(address);
    if (!result.ok) {
        host_.ShowStatus("播放列表 " + PlaylistStore::SuggestName(address) + " 下载失败");
        host_.ShowError("Cannot download the playlist " + address + ": " + result.error);
        return;
    }
    Keep(address, result.body);
}

void ViewerPlaylists::Keep(const std::string& source, const std::string& bytes)
{
    PlaylistStore::Added added;
    try {
        added = store_.Add(source, bytes);
    } catch (const std::exception& e) {
        host_.ShowStatus("无法添加播放列表 " + PlaylistStore::SuggestName(source));
        host_.ShowError(source + ": " + e.what());
        return;
    }
    if (added.playlist.stream) {
        // An HLS address names one stream: it is played, not kept.
        if (IsWebAddress(source))
            host_.Play(source, source);
        else
            host_.ShowError(source + ": an HLS stream, not a list of channels; open its web address to play it");
        return;
    }
    Show(added.name);
    host_.ShowStatus("已添加播放列表" + Quoted(added.name)
        + Counts(added.playlist.channels.size(), added.playlist.skipped, added.playlist.ignored_options));
}

void ViewerPlaylists::SaveAndPlay(const std::string& address, const std::string& name)
{
    std::string title = name.empty() ? address : name;
    try {
        Gather(); // the old saved addresses come first
        ChannelRef channel;
        channel.name = title;
        channel.address = address;
        favourites_.Add(channel);
        Show(kSavedAddresses);
        host_.ShowStatus(std::string("已保存到播放列表") + Quoted(kSavedAddresses));
    } catch (const std::exception& e) {
        host_.ShowError(std::string("Cannot save the address: ") + e.what());
    }
    host_.Play(title, address);
}

void ViewerPlaylists::Remove(size_t index)
{
    if (index >= channels_.Playlists().size() || IsFavourites(index))
        return;
    StoredPlaylist playlist = channels_.Playlists()[index];
    try {
        store_.Remove(playlist.file);
    } catch (const std::exception& e) {
        Reload();
        host_.ShowError(e.what());
        return;
    }
    Reload();
    host_.ShowStatus("已删除播放列表" + Quoted(playlist.name));
}

bool ViewerPlaylists::CanRefresh(size_t index) const
{
    return index < channels_.Playlists().size() && !IsFavourites(index)
        && IsWebAddress(channels_.Playlists()[index].playlist.source);
}

void ViewerPlaylists::Refresh(size_t index)
{
    if (CanRefresh(index))
        Download(channels_.Playlists()[index].playlist.source);
}

}

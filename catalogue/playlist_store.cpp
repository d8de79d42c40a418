#include "catalogue/playlist_store.h"

#include "platform/text/gbk.h"
#include "platform/text/percent_encoding.h"
#include "platform/text/same_text.h"
#include "platform/text/utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace pellamo {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr size_t kMaxName = 64;

bool IsPlaylistExtension(std::string_view extension)
{
    return SameText(extension, ".m3u") || SameText(extension, ".m3u8");
}

std::string ErrorText(int error) { return std::strerror(error); }

// The whole file, or an error message.
bool ReadWhole(const fs::path& file, std::string& content, std::string& error)
{
    std::error_code ec;
    uintmax_t size = fs::file_size(file, ec);
    if (ec) {
        error = ec.message();
        return false;
    }
    if (size > PlaylistStore::kMaxBytes) {
        error = "the file is larger than 64 MB";
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = ErrorText(errno);
        return false;
    }
    content.assign(static_cast<size_t>(size), '\0');
    in.read(content.data(), static_cast<std::streamsize>(size));
    content.resize(static_cast<size_t>(in.gcount()));
    return true;
}

// The source recorded in a stored copy's first line.
std::string RecordedSource(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string line(kMaxPlaylistLine, '\0');
    in.read(line.data(), static_cast<std::streamsize>(line.size()));
    line.resize(static_cast<size_t>(in.gcount()));
    size_t end = line.find_first_of("\r\n");
    if (end == std::string::npos)
        return {};
    line.resize(end + 1);
    return ReadPlaylist(line).source;
}

std::string Sanitised(std::string_view name)
{
    std::string out = ValidUtf8(name);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '/' || c == '\\')
            c = '_';
    size_t start = out.find_first_not_of(" .");
    out.erase(0, start == std::string::npos ? out.size() : start);
    out = std::string(CutUtf8(out, kMaxName));
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::string NoChannelsMessage(int skipped)
{
    std::string message = "The playlist has no channel that can be played";
    if (skipped > 0)
        message += " (" + std::to_string(skipped) + (skipped == 1 ? " line" : " lines") + " could not be used)";
    return message;
}

}

PlaylistStore::PlaylistStore(fs::path directory)
    : directory_(std::move(directory))
{
}

fs::path PlaylistStore::DefaultDirectory()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    fs::path base;
    if (config && fs::path(config).is_absolute()) {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home ? home : "") / ".config";
    }
    return base / "pellamo" / "playlists";
}

std::vector<StoredPlaylist> PlaylistStore::Load() const
{
    std::vector<StoredPlaylist> result;
    std::error_code ec;
    for (fs::directory_iterator it(directory_, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& file = it->path();
        std::string filename = file.filename().string();
        if (filename.starts_with(".") || !IsPlaylistExtension(file.extension().string()))
            continue;
        std::error_code type_error;
        if (!it->is_regular_file(type_error))
            continue;
        StoredPlaylist stored;
        stored.name = ValidUtf8(file.stem().string());
        stored.file = file;
        std::string content;
        if (ReadWhole(file, content, stored.error))
            stored.playlist = ReadPlaylist(content);
        result.push_back(std::move(stored));
    }
    std::sort(result.begin(), result.end(), [](const StoredPlaylist& a, const StoredPlaylist& b) {
        return a.name != b.name ? a.name < b.name : a.file.filename() < b.file.filename();
    });
    return result;
}

PlaylistStore::Added PlaylistStore::Add(std::string_view source, std::string_view bytes)
{
    if (bytes.size() > kMaxBytes)
        throw std::runtime_error("The playlist is larger than 64 MB");
    Added added;
    added.playlist = ReadPlaylist(bytes);
    if (added.playlist.stream)
        return added;
    if (added.playlist.channels.empty())
        throw std::runtime_error(NoChannelsMessage(added.playlist.skipped));

    std::string base = SuggestName(source);
    fs::path target;
    for (int n = 1; target.empty(); ++n) {
        if (n > 1000)
            throw std::runtime_error("Too many playlists are called " + base);
        std::string name = n == 1 ? base : base + " (" + std::to_string(n) + ")";
        fs::path existing = Existing(name);
        if (existing.empty())
            target = FileFor(name);
        else if (RecordedSource(existing) == source)
            target = existing; // the same list again: this copy replaces the old one
        if (!target.empty())
            added.name = name;
    }

    // The record goes first, after a byte-order mark, which must stay in front.
    std::string content;
    std::string_view rest = bytes;
    if (rest.starts_with(kBom)) {
        content = kBom;
        rest.remove_prefix(kBom.size());
    }
    content += PlaylistSourceLine(source);
    content += rest;
    Write(target, content);
    added.playlist.source = std::string(source);
    return added;
}

void PlaylistStore::Remove(const fs::path& file)
{
    if (file.parent_path().lexically_normal() != directory_.lexically_normal())
        throw std::runtime_error("Not a stored playlist: " + file.string());
    std::error_code ec;
    if (!fs::remove(file, ec) || ec)
        throw std::runtime_error("Cannot remove " + file.string() + ": " + (ec ? ec.message() : "it is gone"));
}

void PlaylistStore::AppendChannel(const std::string& name, std::string_view title, std::string_view address)
{
    if (address.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        throw std::invalid_argument("An address is one line");
    std::string label;
    for (char c : title)
        label += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
    label.erase(0, std::min(label.size(), label.find_first_not_of(' ')));
    while (!label.empty() && label.back() == ' ')
        label.pop_back();
    if (label.empty())
        label = address;

    fs::path file = Existing(name);
    std::string content = "#EXTM3U\n";
    if (!file.empty()) {
        std::string error;
        if (!ReadWhole(file, content, error))
            throw std::runtime_error("Cannot read " + file.string() + ": " + error);
    } else {
        file = FileFor(name);
    }
    std::string entry = "#EXTINF:-1," + label + "\n" + std::string(address) + "\n";
    std::string_view text = content;
    if (text.starts_with(kBom))
        text.remove_prefix(kBom.size());
    if (!content.starts_with(kBom) && !IsValidUtf8(text))
        entry = Utf8ToGbk(entry); // a GBK list stays GBK
    if (!content.empty() && content.back() != '\n' && content.back() != '\r')
        content += '\n';
    Write(file, content + entry);
}

std::string PlaylistStore::SuggestName(std::string_view source)
{
    std::string_view path = source;
    std::string host;
    bool address = false;
    if (size_t scheme = source.find("://"); scheme != std::string_view::npos) {
        address = true;
        std::string_view rest = source.substr(scheme + 3);
        size_t host_end = rest.find_first_of("/?#");
        host = std::string(rest.substr(0, host_end));
        if (size_t at = host.rfind('@'); at != std::string::npos)
            host.erase(0, at + 1); // no user names or passwords in a name
        path = host_end == std::string_view::npos ? std::string_view() : rest.substr(host_end);
        path = path.substr(0, path.find_first_of("?#"));
    }
    size_t slash = path.find_last_of('/');
    std::string last(path.substr(slash == std::string_view::npos ? 0 : slash + 1));
    if (address)
        last = PercentDecode(last);
    // Decoded slashes are text, not folders.
    std::replace(last.begin(), last.end(), '/', '_');
    size_t dot = last.rfind('.');
    bool playlist_file = dot != std::string::npos && IsPlaylistExtension(last.substr(dot));
    std::string name = playlist_file ? last.substr(0, dot) : last;
    if (address && !playlist_file)
        name = host; // "get.php" says nothing about the list
    name = Sanitised(name);
    if (name.empty())
        name = Sanitised(host);
    return name.empty() ? "playlist" : name;
}

fs::path PlaylistStore::FileFor(const std::string& name) const { return directory_ / (name + ".m3u"); }

fs::path PlaylistStore::Existing(const std::string& name) const
{
    for (const char* extension : { ".m3u", ".m3u8", ".M3U", ".M3U8" }) {
        fs::path file = directory_ / (name + extension);
        std::error_code ec;
        if (fs::is_regular_file(file, ec))
            return file;
    }
    return {};
}

void PlaylistStore::Write(const fs::path& file, std::string_view content) const
{
    std::error_code ec;
    fs::create_directories(directory_, ec);
    if (ec)
        throw std::runtime_error("Cannot make " + directory_.string() + ": " + ec.message());
    // A whole new file takes the old one's place in one step, so a failure
    // half-way leaves the old copy as it was.
    std::string temp = (directory_ / ".playlist.XXXXXX").string();
    int fd = mkstemp(temp.data());
    if (fd < 0)
        throw std::runtime_error("Cannot write in " + directory_.string() + ": " + ErrorText(errno));
    size_t done = 0;
    while (done < content.size()) {
        ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    int error = done == content.size() ? 0 : (errno ? errno : EIO);
    if (!error && fsync(fd) != 0)
        error = errno;
    fchmod(fd, 0644); // mkstemp makes it private; a playlist is not a secret
    ::close(fd);
    if (!error && std::rename(temp.c_str(), file.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.c_str());
        throw std::runtime_error("Cannot write " + file.string() + ": " + ErrorText(error));
    }
}

}

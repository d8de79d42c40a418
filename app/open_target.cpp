#include "app/open_target.h"

#include "platform/text/percent_encoding.h"
#include "platform/text/same_text.h"
#include "platform/text/trim.h"
#include "stream/stream_address.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>

namespace pellamo {

namespace {

OpenTarget Invalid(std::string error)
{
    OpenTarget target;
    target.error = std::move(error);
    return target;
}

OpenTarget File(std::string path)
{
    OpenTarget target;
    target.kind = OpenTarget::Kind::PlaylistFile;
    target.value = std::filesystem::path(path).lexically_normal().string();
    return target;
}

bool EndsInPlaylist(std::string_view address)
{
    std::string_view path = address.substr(0, address.find_first_of("?#"));
    std::string lower = LowerName(path);
    return lower.ends_with(".m3u") || lower.ends_with(".m3u8");
}

}

OpenTarget ClassifyOpenTarget(std::string_view text, bool playlist_wanted, const std::string& directory)
{
    text = Trim(text, " \t\r\n");
    if (text.empty())
        return Invalid("Nothing to open");
    if (text.find('\0') != std::string_view::npos)
        return Invalid("Cannot open an address with a NUL character");

    std::string lower = LowerName(text.substr(0, 8));
    if (lower.starts_with("file://")) {
        // file:///path or file://localhost/path; another host is another machine.
        std::string_view rest = text.substr(7);
        size_t slash = rest.find('/');
        std::string host = LowerName(rest.substr(0, slash));
        if (slash == std::string_view::npos || (!host.empty() && host != "localhost"))
            return Invalid("Cannot open " + std::string(text) + ": not a file of this computer");
        return File(PercentDecode(rest.substr(slash)));
    }
    if (text.find("://") == std::string_view::npos) {
        if (text.front() == '/')
            return File(std::string(text));
        if (text.starts_with("~/")) {
            const char* home = std::getenv("HOME");
            return File(std::string(home ? home : "") + std::string(text.substr(1)));
        }
        // "scheme:..." without "//" is an address, and not one we can play.
        size_t colon = text.find(':');
        bool scheme = colon != std::string_view::npos && colon > 0 && colon < text.find('/');
        for (size_t i = 0; scheme && i < colon; ++i)
            scheme = std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '+' || text[i] == '-'
                || text[i] == '.';
        if (scheme)
            return Invalid(StreamAddress::Parse(text).Error());
        return File(directory + "/" + std::string(text));
    }

    bool web = lower.starts_with("http://") || lower.starts_with("https://");
    if (web && (playlist_wanted || EndsInPlaylist(text))) {
        OpenTarget target;
        target.kind = OpenTarget::Kind::PlaylistAddress;
        target.value = std::string(text);
        return target;
    }
    if (playlist_wanted)
        return Invalid(
            "Cannot download the playlist " + std::string(text) + ": only http and https addresses are downloaded");
    StreamAddress stream = StreamAddress::Parse(text);
    if (!stream.Allowed())
        return Invalid(stream.Error());
    OpenTarget target;
    target.kind = OpenTarget::Kind::Stream;
    target.value = std::string(text);
    return target;
}

}

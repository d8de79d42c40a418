#pragma once

#include "stream/stream_options.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pellamo {

// The tags by which playlists name the header fields a channel's server
// wants, gathered for the address that follows them:
//   #EXTVLCOPT:http-user-agent=...   #EXTVLCOPT:http-referrer=...
//   #EXTHTTP:{"User-Agent":"...","Referer":"...","Cookie":"..."}
class PlaylistStreamOptions {
public:
    enum class Tag {
        NotOurs, // some other tag
        Taken, // its options wait for the next address
        Ignored, // one of ours, but unusable: refused values, JSON that is not a flat object of texts
    };
    Tag Read(std::string_view line);

    // The options gathered since the last address; starts afresh.
    StreamOptions Take();
    void Reset() { pending_ = {}; }

private:
    StreamOptions pending_;
};

// A JSON object whose members are all texts, in order; nothing when the
// text is anything else (nested values, numbers, broken syntax, more than
// kMaxHeaderFields members, trailing bytes).
std::optional<std::vector<std::pair<std::string, std::string>>> ParseTextObject(std::string_view json);

}

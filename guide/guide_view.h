#pragma once

#include "guide/sqlite_database.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

// One programme as windows show it; times in seconds since 1970 UTC.
struct GuideEntry {
    int64_t start = 0;
    int64_t stop = 0;
    std::string title;
    std::string subtitle;
    std::string description;
};

struct NowNext {
    std::optional<GuideEntry> now; // running at the moment asked about
    std::optional<GuideEntry> next; // the first to start after it
};

// How a channel of the viewer's is looked up in the guide.
struct GuideChannelQuery {
    std::string tvg_id; // the playlist's tvg-id; empty when none
    std::vector<std::string> names; // tvg-name, the channel's title, ... in order
};

// Reading the guide for the windows: its own read-only connection and
// prepared statements, each an index look-up that takes microseconds, so
// the user-interface thread may ask on every paint. Never throws: with no
// guide yet, or one that cannot be read at the moment, the answers are
// empty.
class GuideView {
public:
    explicit GuideView(std::filesystem::path file);
    ~GuideView();

    // The guide channel for a channel of the viewer's: by guide id first,
    // then by each name in turn (ChannelNameKey); a channel with
    // programmes is preferred over one without. 0 when no guide names it.
    int64_t FindChannel(const GuideChannelQuery& query);
    NowNext At(int64_t channel, int64_t now);
    // The programmes that run at any time in [from, to), in order.
    std::vector<GuideEntry> Between(int64_t channel, int64_t from, int64_t to);
    // The guide channel's first display name; empty when unknown.
    std::string ChannelName(int64_t channel);
    // When `source` was last imported (seconds since 1970 UTC); 0 for never.
    int64_t Refreshed(std::string_view source);

    // Forgets the connection, e.g. after the worker set a damaged file
    // aside; the next question opens the file again.
    void Reopen();

private:
    struct Statements;
    bool Ready();

    std::filesystem::path file_;
    std::unique_ptr<SqliteDatabase> db_;
    std::unique_ptr<Statements> statements_;
};

}

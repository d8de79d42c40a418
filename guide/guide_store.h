#pragma once

#include "guide/sqlite_database.h"
#include "guide/xmltv_reader.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

// What one guide source holds after a refresh.
struct GuideSourceCounts {
    uint64_t channels = 0;
    uint64_t programmes = 0;
    uint64_t skipped = 0; // programmes that could not be kept (too old, too many)
};

struct GuideSourceInfo {
    std::string address;
    int64_t refreshed = 0; // seconds since 1970 UTC
    uint64_t channels = 0;
    uint64_t programmes = 0;
};

// The programme guide in an SQLite file, written by one connection (the
// guide's worker thread); windows read it through GuideView. Each source
// (a guide's address) is replaced whole in one transaction, so a refresh
// that fails for any reason (a cut download, bad XML, a full disk) leaves
// the guide as it was.
class GuideStore {
public:
    // Opens or makes the file (and its folder). A file that is not a sound
    // database is moved aside to "<name>.damaged" and a new one started;
    // Note() then says so. Throws SqliteError when the file cannot be
    // opened (a locked or unwritable file, no room).
    explicit GuideStore(std::filesystem::path file);
    ~GuideStore();

    // $XDG_CACHE_HOME/pellamo/guide.sqlite, or ~/.cache/pellamo/guide.sqlite.
    static std::filesystem::path DefaultFile();
    const std::filesystem::path& File() const { return file_; }
    const std::string& Note() const { return note_; }

    // Replaces what `source` gave with what `read` hands to its sink. When
    // `read` or the database throws, nothing changes and the exception
    // goes on. Programmes that ended a day before `now` are left out.
    GuideSourceCounts Replace(std::string_view source, const std::function<void(XmltvSink&)>& read, int64_t now);
    // Removes programmes that ended more than a day before `now`.
    void Prune(int64_t now);
    void Remove(std::string_view source);
    // Moves what the write-ahead log holds into the file and empties it.
    void Checkpoint();
    std::vector<GuideSourceInfo> Sources();
    // Moves a damaged file aside and starts a new, empty guide.
    void SetAside();

    // Bounds per source: a guide beyond them is not a real one.
    static constexpr uint64_t kMaxChannels = 100000;
    static constexpr uint64_t kMaxProgrammes = 5000000;
    static constexpr int64_t kKeepEnded = 86400;

private:
    void Open();

    std::filesystem::path file_;
    std::unique_ptr<SqliteDatabase> db_;
    std::string note_;
};

}

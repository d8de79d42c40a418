#include "guide/guide_store.h"

#include "guide/channel_name_key.h"

#include <cstdlib>
#include <system_error>
#include <unordered_map>

namespace pellamo {

namespace {

constexpr int kSchemaVersion = 2;

// Channel rows are per source, so two guides that use the same channel id
// never mix; programmes hang off the channel's row. The programmes' key,
// (channel, start), is their index too: one tree to write instead of two,
// and a programme listed twice keeps the last copy.
constexpr const char* kSchema = R"(
CREATE TABLE IF NOT EXISTS sources(
    id INTEGER PRIMARY KEY,
    address TEXT NOT NULL UNIQUE,
    refreshed INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS channels(
    id INTEGER PRIMARY KEY,
    source INTEGER NOT NULL,
    xmltv_id TEXT NOT NULL,
    UNIQUE(source, xmltv_id));
CREATE INDEX IF NOT EXISTS channels_by_xmltv_id ON channels(xmltv_id COLLATE NOCASE);
CREATE TABLE IF NOT EXISTS channel_names(
    key TEXT NOT NULL,
    channel INTEGER NOT NULL,
    name TEXT NOT NULL,
    PRIMARY KEY(key, channel)) WITHOUT ROWID;
CREATE INDEX IF NOT EXISTS channel_names_by_channel ON channel_names(channel);
CREATE TABLE IF NOT EXISTS programmes(
    channel INTEGER NOT NULL,
    start INTEGER NOT NULL,
    stop INTEGER,
    title TEXT NOT NULL,
    subtitle TEXT NOT NULL,
    description TEXT NOT NULL,
    PRIMARY KEY(channel, start)) WITHOUT ROWID;
)";

constexpr const char* kDropAll = R"(
DROP TABLE IF EXISTS programmes;
DROP TABLE IF EXISTS channel_names;
DROP TABLE IF EXISTS channels;
DROP TABLE IF EXISTS sources;
)";

// The INSERT for `rows` programmes at once: one statement per row would
// spend as long starting and ending statements as storing rows. OR REPLACE:
// a programme listed twice keeps the last copy.
std::string InsertProgrammes(size_t rows)
{
    std::string sql = "INSERT OR REPLACE INTO programmes(channel, start, stop, title, subtitle, description) VALUES";
    for (size_t i = 0; i < rows; ++i)
        sql += i == 0 ? "(?,?,?,?,?,?)" : ",(?,?,?,?,?,?)";
    return sql;
}

// Takes what the reader hands over into the open transaction.
class SourceWriter : public XmltvSink {
public:
    static constexpr size_t kBatch = 64;

    SourceWriter(SqliteDatabase& db, int64_t source, int64_t now)
        : source_(source)
        , oldest_stop_(now - GuideStore::kKeepEnded)
        , add_channel_(db, "INSERT INTO channels(source, xmltv_id) VALUES(?1, ?2)")
        , add_name_(db, "INSERT OR IGNORE INTO channel_names(key, channel, name) VALUES(?1, ?2, ?3)")
        , add_batch_(db, InsertProgrammes(kBatch).c_str())
        , add_one_(db, InsertProgrammes(1).c_str())
        , exists_(db, "SELECT 1 FROM programmes WHERE channel = ?1 AND start = ?2")
        , db_(db)
    {
        pending_.reserve(kBatch);
    }

    void Channel(GuideChannel channel) override
    {
        Known* known = Find(channel.id);
        if (!known)
            return;
        for (const std::string& name : channel.names) {
            std::string key = ChannelNameKey(name);
            if (!key.empty())
                add_name_.Bind(1, key).Bind(2, known->row).Bind(3, name).Run();
        }
    }

    void Programme(GuideProgramme p) override
    {
        // Without a stop the programme lasts until the next one; one that
        // started two days ago has ended either way.
        if (p.stop ? *p.stop < oldest_stop_ : p.start < oldest_stop_ - GuideStore::kKeepEnded) {
            ++skipped_;
            return;
        }
        if (programmes_ >= GuideStore::kMaxProgrammes) {
            ++skipped_;
            return;
        }
        Known* known = Find(p.channel);
        if (!known) {
            ++skipped_;
            return;
        }
        open_ended_ = open_ended_ || !p.stop;
        // Guides list a channel's programmes in order, so only one that
        // does not come after the channel's last can be a second copy.
        bool again = false;
        if (known->programmes > 0 && p.start <= known->last_start) {
            Flush();
            exists_.Bind(1, known->row).Bind(2, p.start);
            again = exists_.Step();
            exists_.Reset();
        } else {
            known->last_start = p.start;
        }
        if (!again) {
            ++known->programmes;
            ++programmes_;
        }
        pending_.push_back({ known->row, std::move(p) });
        if (pending_.size() == kBatch)
            Flush();
    }

    // Stores what is still held back.
    void Flush()
    {
        if (pending_.size() == kBatch) {
            int index = 1;
            for (const Pending& row : pending_)
                index = Bind(add_batch_, index, row);
            add_batch_.Run();
        } else {
            for (const Pending& row : pending_) {
                Bind(add_one_, 1, row);
                add_one_.Run();
            }
        }
        pending_.clear();
    }

    uint64_t Skipped() const { return skipped_; }
    uint64_t Programmes() const { return programmes_; }
    uint64_t Channels() const { return rows_.size(); }
    bool OpenEnded() const { return open_ended_; }

private:
    struct Known {
        int64_t row = 0;
        int64_t last_start = 0;
        uint64_t programmes = 0;
    };
    struct Pending {
        int64_t row;
        GuideProgramme programme;
    };

    // Binds one programme's six values from `index` on; the next index.
    static int Bind(SqliteStatement& statement, int index, const Pending& row)
    {
        const GuideProgramme& p = row.programme;
        statement.Bind(index, row.row).Bind(index + 1, p.start);
        if (p.stop)
            statement.Bind(index + 2, *p.stop);
        else
            statement.BindNull(index + 2);
        statement.Bind(index + 3, p.title).Bind(index + 4, p.subtitle).Bind(index + 5, p.description);
        return index + 6;
    }

    // The channel, made when first named (programmes may come before
    // their <channel>); null past the bound.
    Known* Find(const std::string& id)
    {
        if (last_ && last_id_ == id)
            return last_;
        auto it = rows_.find(id);
        if (it == rows_.end()) {
            if (rows_.size() >= GuideStore::kMaxChannels)
                return nullptr;
            add_channel_.Bind(1, source_).Bind(2, id).Run();
            it = rows_.emplace(id, Known { db_.LastInsertRow() }).first;
        }
        last_id_ = id;
        last_ = &it->second;
        return last_;
    }

    int64_t source_;
    int64_t oldest_stop_;
    SqliteStatement add_channel_;
    SqliteStatement add_name_;
    SqliteStatement add_batch_;
    SqliteStatement add_one_;
    SqliteStatement exists_;
    SqliteDatabase& db_;
    std::unordered_map<std::string, Known> rows_;
    std::string last_id_; // the channel of the programme before, looked up once
    Known* last_ = nullptr;
    std::vector<Pending> pending_;
    uint64_t programmes_ = 0;
    uint64_t skipped_ = 0;
    bool open_ended_ = false; // some programme came without a stop
};

}

GuideStore::GuideStore(std::filesystem::path file)
    : file_(std::move(file))
{
    std::error_code ignored;
    if (file_.has_parent_path())
        std::filesystem::create_directories(file_.parent_path(), ignored);
    try {
        Open();
    } catch (const SqliteError& e) {
        if (!e.Damaged())
            throw;
        SetAside();
    }
}

GuideStore::~GuideStore() = default;

std::filesystem::path GuideStore::DefaultFile()
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    std::filesystem::path base;
    if (cache && cache[0] == '/') {
        base = cache;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home && home[0] ? home : "/tmp") / ".cache";
    }
    return base / "pellamo" / "guide.sqlite";
}

void GuideStore::Open()
{
    db_.reset();
    db_ = std::make_unique<SqliteDatabase>(file_, SqliteDatabase::Mode::kReadWrite);
    // Larger pages: fewer of them to split, log and check for a large guide.
    // (Takes effect when the file is made.)
    db_->Execute("PRAGMA page_size=16384");
    // Another program's import may hold the lock a while; this runs on the
    // worker thread, so waiting costs the window nothing.
    db_->SetBusyTimeout(5000);
    db_->Execute("PRAGMA journal_mode=WAL");
    // In WAL mode NORMAL never corrupts the file; a crash loses at most
    // the last refresh, which the next one repeats.
    db_->Execute("PRAGMA synchronous=NORMAL");
    // A small cache: an import appends, so pages once full are not needed
    // again, and a larger cache only costs memory to fill (measured: 16 MiB
    // took a tenth longer than 4 MiB).
    db_->Execute("PRAGMA cache_size=-4096");
    // The worker checkpoints after each job, once the viewer has the news,
    // rather than at a commit while the viewer waits for it.
    db_->Execute("PRAGMA wal_autocheckpoint=0");
    SqliteStatement version(*db_, "PRAGMA user_version");
    int64_t found = version.Step() ? version.Int(0) : 0;
    version.Reset();
    if (found != kSchemaVersion) {
        // The file is a cache: another layout is simply started afresh.
        SqliteTransaction transaction(*db_);
        db_->Execute(kDropAll);
        db_->Execute(kSchema);
        db_->Execute(("PRAGMA user_version=" + std::to_string(kSchemaVersion)).c_str());
        transaction.Commit();
    }
}

void GuideStore::SetAside()
{
    db_.reset();
    std::error_code ignored;
    std::filesystem::path aside = file_;
    aside += ".damaged";
    std::filesystem::rename(file_, aside, ignored);
    for (const char* suffix : { "-wal", "-shm" }) {
        std::filesystem::path extra = file_;
        extra += suffix;
        std::filesystem::remove(extra, ignored);
    }
    note_ = "The guide database was damaged; it was set aside as " + aside.filename().string()
        + " and a new one started.";
    Open();
}

GuideSourceCounts GuideStore::Replace(std::string_view source, const std::function<void(XmltvSink&)>& read, int64_t now)
{
    SqliteTransaction transaction(*db_);
    SqliteStatement add_source(*db_, "INSERT OR IGNORE INTO sources(address) VALUES(?1)");
    add_source.Bind(1, source).Run();
    SqliteStatement find_source(*db_, "SELECT id FROM sources WHERE address = ?1");
    find_source.Bind(1, source);
    find_source.Step();
    const int64_t id = find_source.Int(0);
    find_source.Reset();

    for (const char* sql : { "DELETE FROM programmes WHERE channel IN (SELECT id FROM channels WHERE source = ?1)",
             "DELETE FROM channel_names WHERE channel IN (SELECT id FROM channels WHERE source = ?1)",
             "DELETE FROM channels WHERE source = ?1" }) {
        SqliteStatement clear(*db_, sql);
        clear.Bind(1, id).Run();
    }

    GuideSourceCounts counts;
    bool open_ended = false;
    {
        SourceWriter writer(*db_, id, now);
        read(writer);
        writer.Flush();
        counts.skipped = writer.Skipped();
        counts.channels = writer.Channels();
        counts.programmes = writer.Programmes();
        open_ended = writer.OpenEnded();
    }
    if (open_ended) {
        // A programme without a stop lasts until the channel's next one;
        // the last of a channel is given an hour.
        SqliteStatement fill_stops(*db_,
            "UPDATE programmes SET stop = coalesce("
            "(SELECT min(p.start) FROM programmes p WHERE p.channel = programmes.channel AND p.start > "
            "programmes.start), "
            "start + 3600) WHERE stop IS NULL AND channel IN (SELECT id FROM channels WHERE source = ?1)");
        fill_stops.Bind(1, id).Run();
    }
    SqliteStatement refreshed(*db_, "UPDATE sources SET refreshed = ?2 WHERE id = ?1");
    refreshed.Bind(1, id).Bind(2, now).Run();
    transaction.Commit();

    return counts;
}

void GuideStore::Prune(int64_t now)
{
    SqliteStatement prune(*db_, "DELETE FROM programmes WHERE stop < ?1");
    prune.Bind(1, now - kKeepEnded).Run();
}

void GuideStore::Checkpoint()
{
    // TRUNCATE: the log of a large import gives its disk space back.
    db_->Execute("PRAGMA wal_checkpoint(TRUNCATE)");
}

void GuideStore::Remove(std::string_view source)
{
    SqliteTransaction transaction(*db_);
    for (const char* sql : { "DELETE FROM programmes WHERE channel IN "
                             "(SELECT c.id FROM channels c JOIN sources s ON c.source = s.id WHERE s.address = ?1)",
             "DELETE FROM channel_names WHERE channel IN "
             "(SELECT c.id FROM channels c JOIN sources s ON c.source = s.id WHERE s.address = ?1)",
             "DELETE FROM channels WHERE source IN (SELECT id FROM sources WHERE address = ?1)",
             "DELETE FROM sources WHERE address = ?1" }) {
        SqliteStatement remove(*db_, sql);
        remove.Bind(1, source).Run();
    }
    transaction.Commit();
}

std::vector<GuideSourceInfo> GuideStore::Sources()
{
    std::vector<GuideSourceInfo> out;
    SqliteStatement list(*db_,
        "SELECT s.address, s.refreshed, "
        "(SELECT count(*) FROM channels c WHERE c.source = s.id), "
        "(SELECT count(*) FROM programmes p JOIN channels c ON p.channel = c.id WHERE c.source = s.id) "
        "FROM sources s ORDER BY s.id");
    while (list.Step())
        out.push_back(
            { list.Text(0), list.Int(1), static_cast<uint64_t>(list.Int(2)), static_cast<uint64_t>(list.Int(3)) });
    return out;
}

}

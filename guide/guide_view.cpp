#include "guide/guide_view.h"

#include "guide/channel_name_key.h"

#include <system_error>

namespace pellamo {

namespace {

// The longest programme the reader keeps; a programme that runs at a time
// started at most this long before it.
constexpr int64_t kLongest = 7 * 86400;

constexpr const char* kColumns = "start, stop, title, subtitle, description";

GuideEntry EntryOf(const SqliteStatement& row)
{
    return { row.Int(0), row.Int(1), row.Text(2), row.Text(3), row.Text(4) };
}

}

struct GuideView::Statements {
    explicit Statements(SqliteDatabase& db)
        : by_id(db,
            "SELECT c.id FROM channels c WHERE c.xmltv_id = ?1 COLLATE NOCASE "
            "ORDER BY c.xmltv_id = ?1 DESC, EXISTS(SELECT 1 FROM programmes p WHERE p.channel = c.id) DESC, c.id DESC "
            "LIMIT 1")
        , by_name(db,
              "SELECT n.channel FROM channel_names n WHERE n.key = ?1 "
              "ORDER BY EXISTS(SELECT 1 FROM programmes p WHERE p.channel = n.channel) DESC, n.channel DESC LIMIT 1")
        , current(db,
              (std::string("SELECT ") + kColumns
                  + " FROM programmes WHERE channel = ?1 AND start <= ?2 ORDER BY start DESC LIMIT 1")
                  .c_str())
        , following(db,
              (std::string("SELECT ") + kColumns
                  + " FROM programmes WHERE channel = ?1 AND start > ?2 ORDER BY start LIMIT 1")
                  .c_str())
        , between(db,
              (std::string("SELECT ") + kColumns
                  + " FROM programmes WHERE channel = ?1 AND start >= ?2 AND start < ?3 AND stop > ?4 ORDER BY start")
                  .c_str())
        , name(db, "SELECT name FROM channel_names WHERE channel = ?1 LIMIT 1")
        , refreshed(db, "SELECT refreshed FROM sources WHERE address = ?1")
    {
    }
    SqliteStatement by_id;
    SqliteStatement by_name;
    SqliteStatement current;
    SqliteStatement following;
    SqliteStatement between;
    SqliteStatement name;
    SqliteStatement refreshed;
};

GuideView::GuideView(std::filesystem::path file)
    : file_(std::move(file))
{
}

GuideView::~GuideView() = default;

void GuideView::Reopen()
{
    statements_.reset();
    db_.reset();
}

bool GuideView::Ready()
{
    if (statements_)
        return true;
    std::error_code error;
    if (!std::filesystem::exists(file_, error))
        return false;
    try {
        db_ = std::make_unique<SqliteDatabase>(file_, SqliteDatabase::Mode::kReadOnly);
        statements_ = std::make_unique<Statements>(*db_);
        return true;
    } catch (const SqliteError&) {
        // No tables yet (the worker is making the file) or a damaged file
        // the worker will set aside: asked again later.
        statements_.reset();
        db_.reset();
        return false;
    }
}

int64_t GuideView::FindChannel(const GuideChannelQuery& query)
{
    if (!Ready())
        return 0;
    try {
        if (!query.tvg_id.empty()) {
            SqliteStatement& s = statements_->by_id;
            s.Bind(1, query.tvg_id);
            if (s.Step()) {
                int64_t found = s.Int(0);
                s.Reset();
                return found;
            }
        }
        for (const std::string& name : query.names) {
            std::string key = ChannelNameKey(name);
            if (key.empty())
                continue;
            SqliteStatement& s = statements_->by_name;
            s.Bind(1, key);
            if (s.Step()) {
                int64_t found = s.Int(0);
                s.Reset();
                return found;
            }
        }
    } catch (const SqliteError&) {
        Reopen();
    }
    return 0;
}

NowNext GuideView::At(int64_t channel, int64_t now)
{
    NowNext result;
    if (channel == 0 || !Ready())
        return result;
    try {
        SqliteStatement& current = statements_->current;
        current.Bind(1, channel).Bind(2, now);
        if (current.Step()) {
            GuideEntry entry = EntryOf(current);
            current.Reset();
            if (entry.stop > now)
                result.now = std::move(entry);
        }
        SqliteStatement& following = statements_->following;
        following.Bind(1, channel).Bind(2, now);
        if (following.Step()) {
            result.next = EntryOf(following);
            following.Reset();
        }
    } catch (const SqliteError&) {
        Reopen();
        return {};
    }
    return result;
}

std::vector<GuideEntry> GuideView::Between(int64_t channel, int64_t from, int64_t to)
{
    std::vector<GuideEntry> out;
    if (channel == 0 || !Ready())
        return out;
    try {
        SqliteStatement& s = statements_->between;
        s.Bind(1, channel).Bind(2, from - kLongest).Bind(3, to).Bind(4, from);
        while (s.Step())
            out.push_back(EntryOf(s));
    } catch (const SqliteError&) {
        Reopen();
        out.clear();
    }
    return out;
}

std::string GuideView::ChannelName(int64_t channel)
{
    if (channel == 0 || !Ready())
        return {};
    try {
        SqliteStatement& s = statements_->name;
        s.Bind(1, channel);
        if (s.Step()) {
            std::string name = s.Text(0);
            s.Reset();
            return name;
        }
    } catch (const SqliteError&) {
        Reopen();
    }
    return {};
}

}

namespace pellamo {

int64_t GuideView::Refreshed(std::string_view source)
{
    if (!Ready())
        return 0;
    try {
        SqliteStatement& s = statements_->refreshed;
        s.Bind(1, source);
        if (s.Step()) {
            int64_t when = s.Int(0);
            s.Reset();
            return when;
        }
    } catch (const SqliteError&) {
        Reopen();
    }
    return 0;
}

}

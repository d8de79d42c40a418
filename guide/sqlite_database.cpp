#include "guide/sqlite_database.h"

#include <sqlite3.h>

namespace pellamo {

namespace {

std::string Sentence(int code, sqlite3* db)
{
    switch (code & 0xFF) {
    case SQLITE_FULL:
        return "The disk is full: the guide could not be stored.";
    case SQLITE_IOERR:
        // A quota or a file size limit ends up here rather than as FULL.
        return "The guide could not be stored: the disk refused to write it.";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "The guide database is in use by another program.";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return "The guide database is damaged.";
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        return "The guide database cannot be written here (" + std::string(sqlite3_errstr(code)) + ").";
    case SQLITE_NOMEM:
        return "There is not enough memory for the guide.";
    default:
        return "The guide database failed: " + std::string(db ? sqlite3_errmsg(db) : sqlite3_errstr(code)) + ".";
    }
}

}

bool SqliteError::Damaged() const { return code_ == SQLITE_CORRUPT || code_ == SQLITE_NOTADB; }

bool SqliteError::Constraint() const { return code_ == SQLITE_CONSTRAINT; }

bool SqliteError::Busy() const { return code_ == SQLITE_BUSY || code_ == SQLITE_LOCKED; }

SqliteDatabase::SqliteDatabase(const std::filesystem::path& file, Mode mode)
{
    int flags = SQLITE_OPEN_NOMUTEX
        | (mode == Mode::kReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    int code = sqlite3_open_v2(file.c_str(), &db_, flags, nullptr);
    if (code != SQLITE_OK) {
        std::string sentence = Sentence(code, nullptr);
        sqlite3_close(db_);
        db_ = nullptr;
        throw SqliteError(code & 0xFF, sentence);
    }
    sqlite3_extended_result_codes(db_, 0);
}

SqliteDatabase::~SqliteDatabase() { sqlite3_close_v2(db_); }

void SqliteDatabase::Execute(const char* sql) { Check(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr)); }

void SqliteDatabase::SetBusyTimeout(int ms) { sqlite3_busy_timeout(db_, ms); }

int64_t SqliteDatabase::LastInsertRow() const { return sqlite3_last_insert_rowid(db_); }

void SqliteDatabase::Check(int code) const
{
    if (code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE)
        throw ErrorFor(code);
}

SqliteError SqliteDatabase::ErrorFor(int code) const { return SqliteError(code & 0xFF, Sentence(code, db_)); }

SqliteStatement::SqliteStatement(SqliteDatabase& db, const char* sql)
    : db_(db)
{
    db_.Check(sqlite3_prepare_v3(db_.Handle(), sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr));
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(stmt_); }

SqliteStatement& SqliteStatement::Bind(int index, int64_t value)
{
    db_.Check(sqlite3_bind_int64(stmt_, index, value));
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::string_view value)
{
    // Not copied: the text must outlive the statement's next Step().
    db_.Check(sqlite3_bind_text(stmt_, index, value.data(), static_cast<int>(value.size()), SQLITE_STATIC));
    return *this;
}

SqliteStatement& SqliteStatement::BindNull(int index)
{
    db_.Check(sqlite3_bind_null(stmt_, index));
    return *this;
}

bool SqliteStatement::Step()
{
    int code = sqlite3_step(stmt_);
    if (code == SQLITE_ROW)
        return true;
    if (code != SQLITE_DONE) {
        // Read before the reset, which forgets the system's error number.
        SqliteError error = db_.ErrorFor(code);
        sqlite3_reset(stmt_);
        throw error;
    }
    sqlite3_reset(stmt_);
    return false;
}

void SqliteStatement::Run()
{
    while (Step()) { }
}

void SqliteStatement::Reset() { sqlite3_reset(stmt_); }

int64_t SqliteStatement::Int(int column) const { return sqlite3_column_int64(stmt_, column); }

bool SqliteStatement::IsNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

std::string SqliteStatement::Text(int column) const
{
    const unsigned char* text = sqlite3_column_text(stmt_, column);
    if (!text)
        return {};
    return std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(sqlite3_column_bytes(stmt_, column)));
}

SqliteTransaction::SqliteTransaction(SqliteDatabase& db)
    : db_(db)
{
    // IMMEDIATE: the write lock is taken now, so a busy database is known
    // before any work is done.
    db_.Execute("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction()
{
    if (open_)
        sqlite3_exec(db_.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteTransaction::Commit()
{
    db_.Execute("COMMIT");
    open_ = false;
}

}

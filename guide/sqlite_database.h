#pragma once

#include "guide/guide_error.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace pellamo {

// An SQLite failure: the sentence says what it means for the viewer, the
// code tells callers what kind of failure it was.
class SqliteError : public GuideError {
public:
    SqliteError(int code, const std::string& sentence)
        : GuideError(sentence)
        , code_(code)
    {
    }
    int Code() const { return code_; } // the primary result code
    bool Damaged() const; // the file is not a sound database
    bool Busy() const; // another connection holds a lock
    bool Constraint() const; // a row broke a unique key

private:
    int code_;
};

// One connection to a database file.
class SqliteDatabase {
public:
    enum class Mode { kReadOnly, kReadWrite };
    // Throws SqliteError.
    SqliteDatabase(const std::filesystem::path& file, Mode mode);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    sqlite3* Handle() const { return db_; }
    // Runs statements that return no rows; throws SqliteError.
    void Execute(const char* sql);
    // How long a statement waits for another connection's lock.
    void SetBusyTimeout(int ms);
    int64_t LastInsertRow() const;
    // Throws SqliteError for `code` unless it is a success.
    void Check(int code) const;
    SqliteError ErrorFor(int code) const;

private:
    sqlite3* db_ = nullptr;
};

// A prepared statement. Step() runs it; the statement is reset (and so
// holds no read lock) when the rows are done or Reset() is called.
class SqliteStatement {
public:
    SqliteStatement(SqliteDatabase& db, const char* sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& Bind(int index, int64_t value);
    // The text is not copied: it must stay until the statement has run.
    SqliteStatement& Bind(int index, std::string_view value);
    SqliteStatement& BindNull(int index);
    // True with a row to read; false when done. Throws SqliteError.
    bool Step();
    // Runs a statement that returns no rows.
    void Run();
    void Reset();

    int64_t Int(int column) const;
    bool IsNull(int column) const;
    std::string Text(int column) const;

private:
    SqliteDatabase& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Opens a transaction; rolls it back unless Commit() is called.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteDatabase& db);
    ~SqliteTransaction();
    void Commit();

private:
    SqliteDatabase& db_;
    bool open_ = true;
};

}

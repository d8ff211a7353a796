// Read-only access for the companion command's check, backup and export.
#include "tools/ReadOnlyDatabase.h"

#include <filesystem>

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/EngineReason.h"

namespace {

// A crash in the middle of a write leaves changed pages in the file and their old contents in the journal
// beside it. The engine puts them back on the first read of a connection that may write; a read-only one
// refuses every read instead ("attempt to write a readonly database").
void rollBackUnfinishedWrite(const std::string& path) {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    const SqliteDb db(raw);
    if (opened != SQLITE_OK) {
        return;  // the read-only open that follows meets the same fault and names it
    }
    sqlite3_busy_timeout(raw, Connection::kBusyTimeoutMs);
    if (sqlite3_exec(raw, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr) == SQLITE_OK) {
        return;
    }
    const int status = sqlite3_errcode(raw);
    const std::string journal = path + "-journal";
    std::error_code error;
    // A writer at work (the program saving) has a journal too, which is not left over: the command waits.
    if (status == SQLITE_BUSY || status == SQLITE_LOCKED || !std::filesystem::exists(journal, error)) {
        return;
    }
    throw DbError("'" + path +
                  "' holds an unfinished write (a program stopped in the middle of saving, leaving '" +
                  journal + "' beside it), which cannot be rolled back here: " + engineReason(raw) +
                  ". Start Orvella on this book, or make the file and its folder writable and run the "
                  "command again.");
}

}  // namespace

namespace ReadOnlyDatabase {

SqliteDb open(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        throw DbError("Cannot open the database '" + path + "': there is no such file.");
    }
    rollBackUnfinishedWrite(path);
    sqlite3* raw = nullptr;
    const int status = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    SqliteDb db(raw);
    if (status != SQLITE_OK) {
        throw DbError("Cannot open the database '" + path +
                      "': " + (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(status)));
    }
    sqlite3_busy_timeout(raw, Connection::kBusyTimeoutMs);
    return db;
}

}  // namespace ReadOnlyDatabase

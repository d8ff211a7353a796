// Read-only access for the companion command's check, backup and export.
#include "tools/ReadOnlyDatabase.h"

#include <filesystem>

#include "data/Connection.h"
#include "data/DbError.h"

namespace ReadOnlyDatabase {

SqliteDb open(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        throw DbError("Cannot open the database '" + path + "': there is no such file.");
    }
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

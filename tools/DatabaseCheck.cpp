// Checks a database file without changing it: opened read-only, never created.
#include "tools/DatabaseCheck.h"

#include "data/DbError.h"
#include "data/EngineReason.h"
#include "data/Schema.h"
#include "data/SqliteHandles.h"
#include "tools/ReadOnlyDatabase.h"

namespace DatabaseCheck {

std::vector<std::string> problems(const std::string& path) {
    const SqliteDb db = ReadOnlyDatabase::open(path);
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db.get(), "PRAGMA integrity_check", -1, &raw, nullptr) != SQLITE_OK) {
        return {"The file cannot be read as a database: " + engineReason(db.get())};
    }
    const SqliteStatement statement(raw);
    std::vector<std::string> found;
    int status = SQLITE_ROW;
    while ((status = sqlite3_step(raw)) == SQLITE_ROW) {
        const std::string line = reinterpret_cast<const char*>(sqlite3_column_text(raw, 0));
        if (line != "ok") {
            found.push_back(line);
        }
    }
    if (status != SQLITE_DONE) {
        return {"The file cannot be read as a database: " + engineReason(db.get())};
    }
    try {
        for (auto& problem : Schema::problems(db.get())) {
            found.push_back(std::move(problem.text));
        }
    } catch (const DbError& failure) {
        found.emplace_back(failure.what());
    }
    return found;
}

}  // namespace DatabaseCheck

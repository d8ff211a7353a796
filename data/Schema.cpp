// The tables GMaster, Income and Expenses: created by orvella-db, checked by every open.
#include "data/Schema.h"

#include <array>
#include <filesystem>
#include <string>

#include "data/DbError.h"
#include "data/SchemaText.h"
#include "data/SqliteHandles.h"

namespace {

struct TableShape {
    std::string_view name;
    std::array<std::string_view, 5> columns;
    std::size_t columnCount;
};

// The columns in the order the windows read them by position.
constexpr std::array<TableShape, 3> kTables = {{
    {"GMaster", {"SrNo", "GName", "GType"}, 3},
    {"Income", {"SrNo", "IncDate", "IncSource", "IncAmount", "IncDescription"}, 5},
    {"Expenses", {"SrNo", "ExpDate", "ExpCategory", "ExpAmount", "ExpDescription"}, 5},
}};

bool sameName(std::string_view a, std::string_view b) {
    return sqlite3_strnicmp(a.data(), b.data(), static_cast<int>(std::max(a.size(), b.size()))) == 0 &&
           a.size() == b.size();
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) {
        if (!text.empty()) {
            text += ", ";
        }
        text += name;
    }
    return text;
}

// The table's column names in order; empty when there is no such table. Fails on an unreadable file.
std::vector<std::string> columnsOf(sqlite3* db, std::string_view table) {
    const std::string query = "PRAGMA table_info(\"" + std::string(table) + "\")";
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, query.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        throw DbError(sqlite3_errmsg(db));
    }
    const SqliteStatement statement(raw);
    std::vector<std::string> columns;
    int status = SQLITE_ROW;
    while ((status = sqlite3_step(raw)) == SQLITE_ROW) {
        columns.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(raw, 1)));
    }
    if (status != SQLITE_DONE) {
        throw DbError(sqlite3_errmsg(db));
    }
    return columns;
}

}  // namespace

namespace Schema {

std::string_view creationText() {
    return kSchemaSql;
}

void createDatabase(const std::string& path) {
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
        throw DbError("'" + path + "' already exists; it was left as it is.");
    }
    sqlite3* raw = nullptr;
    const int status =
        sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    SqliteDb db(raw);
    if (status != SQLITE_OK) {
        throw DbError("Cannot create '" + path +
                      "': " + (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(status)));
    }
    const std::string script = "PRAGMA journal_mode=DELETE; BEGIN; " + std::string(kSchemaSql) + " COMMIT;";
    char* message = nullptr;
    if (sqlite3_exec(raw, script.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string reason = message ? message : sqlite3_errmsg(raw);
        sqlite3_free(message);
        db.reset();
        std::filesystem::remove(path, error);
        throw DbError("Cannot create '" + path + "': " + reason);
    }
}

std::vector<std::string> problems(sqlite3* db) {
    std::vector<std::string> found;
    for (const auto& table : kTables) {
        const auto columns = columnsOf(db, table.name);
        if (columns.empty()) {
            found.push_back("The table " + std::string(table.name) + " is missing.");
            continue;
        }
        bool matches = columns.size() == table.columnCount;
        for (std::size_t i = 0; matches && i < columns.size(); ++i) {
            matches = sameName(columns[i], table.columns[i]);
        }
        if (!matches) {
            std::vector<std::string> wanted(table.columns.begin(), table.columns.begin() + table.columnCount);
            found.push_back("The table " + std::string(table.name) + " has the columns " + joined(columns) +
                            "; the program needs " + joined(wanted) + ", in that order.");
        }
    }
    return found;
}

}  // namespace Schema

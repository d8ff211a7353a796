// The tables GMaster, Income and Expenses: created by orvella-db, checked by every open.
#include "data/Schema.h"

#include <filesystem>
#include <string>

#include "data/DbError.h"
#include "data/SchemaText.h"
#include "data/SqliteHandles.h"

namespace {

using Schema::Column;
using Schema::Table;

constexpr Column kGMaster[] = {{"SrNo", "INTEGER"}, {"GName", "TEXT"}, {"GType", "TEXT"}};
constexpr Column kIncome[] = {{"SrNo", "INTEGER"},
                              {"IncDate", "DATE"},
                              {"IncSource", "TEXT"},
                              {"IncAmount", "REAL"},
                              {"IncDescription", "TEXT"}};
constexpr Column kExpenses[] = {{"SrNo", "INTEGER"},
                                {"ExpDate", "DATE"},
                                {"ExpCategory", "TEXT"},
                                {"ExpAmount", "REAL"},
                                {"ExpDescription", "TEXT"}};
constexpr Table kTables[] = {{"GMaster", kGMaster}, {"Income", kIncome}, {"Expenses", kExpenses}};

// The fields of PRAGMA table_info, table_list and index_list used here.
constexpr std::size_t kInfoName = 1;
constexpr std::size_t kInfoType = 2;
constexpr std::size_t kInfoKey = 5;
constexpr std::size_t kListKind = 2;
constexpr std::size_t kIndexOrigin = 3;

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && sqlite3_strnicmp(a.data(), b.data(), static_cast<int>(a.size())) == 0;
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

using PragmaRow = std::vector<std::string>;

// Every row of a catalogue pragma on the table, each field as text. Fails on an unreadable file.
std::vector<PragmaRow> pragmaRows(sqlite3* db, std::string_view pragma, std::string_view table) {
    const std::string query = "PRAGMA main." + std::string(pragma) + "(\"" + std::string(table) + "\")";
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, query.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        throw DbError(sqlite3_errmsg(db));
    }
    const SqliteStatement statement(raw);
    std::vector<PragmaRow> rows;
    int status = SQLITE_ROW;
    while ((status = sqlite3_step(raw)) == SQLITE_ROW) {
        PragmaRow& row = rows.emplace_back();
        for (int field = 0; field < sqlite3_column_count(raw); ++field) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(raw, field));
            row.emplace_back(text ? text : "");
        }
    }
    if (status != SQLITE_DONE) {
        throw DbError(sqlite3_errmsg(db));
    }
    return rows;
}

// Only an INTEGER PRIMARY KEY of a table with row ids stands for the row id itself: a number that is
// always whole and never stored twice. Any other key (text, DESC, WITHOUT ROWID) has an index of its own.
bool hasRowIdKey(sqlite3* db, const Table& table, const std::vector<PragmaRow>& info) {
    bool keyIsSrNoAlone = info[0][kInfoKey] == "1";
    for (std::size_t i = 1; i < info.size(); ++i) {
        keyIsSrNoAlone = keyIsSrNoAlone && info[i][kInfoKey] == "0";
    }
    if (!keyIsSrNoAlone || !sameName(info[0][kInfoType], "INTEGER")) {
        return false;
    }
    for (const auto& index : pragmaRows(db, "index_list", table.name)) {
        if (index[kIndexOrigin] == "pk") {
            return false;
        }
    }
    return true;
}

void addTableProblems(sqlite3* db, const Table& table, std::vector<Schema::Problem>& found) {
    const std::string name(table.name);
    const auto listed = pragmaRows(db, "table_list", table.name);
    if (listed.empty()) {
        found.push_back({"The table " + name + " is missing.", false});
        return;
    }
    const std::string& kind = listed[0][kListKind];
    if (kind != "table") {
        found.push_back({"The table " + name + " is " + (kind == "view" ? "a view" : "a " + kind + " table") +
                             ", not a table.",
                         true});
        return;
    }
    const auto info = pragmaRows(db, "table_info", table.name);
    std::vector<std::string> names;
    for (const auto& column : info) {
        names.push_back(column[kInfoName]);
    }
    bool matches = info.size() == table.columns.size();
    for (std::size_t i = 0; matches && i < info.size(); ++i) {
        matches = sameName(names[i], table.columns[i].name);
    }
    if (!matches) {
        std::vector<std::string> wanted;
        for (const auto& column : table.columns) {
            wanted.emplace_back(column.name);
        }
        found.push_back({"The table " + name + " has the columns " + joined(names) + "; the program needs " +
                             joined(wanted) + ", in that order.",
                         false});
        return;
    }
    for (std::size_t i = 0; i < info.size(); ++i) {
        const std::string& declared = info[i][kInfoType];
        if (!sameName(declared, table.columns[i].type)) {
            found.push_back({"The column " + name + "." + names[i] + " is declared " +
                                 (declared.empty() ? "without a type" : declared) + "; the program needs " +
                                 std::string(table.columns[i].type) + ".",
                             true});
        }
    }
    if (!hasRowIdKey(db, table, info)) {
        found.push_back({"In the table " + name +
                             ", SrNo is not the INTEGER PRIMARY KEY, so a record number can be stored twice.",
                         true});
    }
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

std::span<const Table> tables() {
    return kTables;
}

std::vector<Problem> problems(sqlite3* db) {
    std::vector<Problem> found;
    for (const auto& table : kTables) {
        addTableProblems(db, table, found);
    }
    return found;
}

}  // namespace Schema

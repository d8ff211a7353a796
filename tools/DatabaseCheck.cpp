// Checks a database file without changing it: opened read-only, never created.
#include "tools/DatabaseCheck.h"

#include <algorithm>

#include "data/DbError.h"
#include "data/EngineReason.h"
#include "data/Schema.h"
#include "data/SqliteHandles.h"
#include "data/ValueForms.h"
#include "tools/BookRows.h"
#include "tools/ReadOnlyDatabase.h"

namespace {

// False when the file cannot be read as a database at all, so nothing else can be checked.
bool addIntegrityProblems(sqlite3* db, std::vector<std::string>& found) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &raw, nullptr) != SQLITE_OK) {
        found.push_back("The file cannot be read as a database: " + engineReason(db));
        return false;
    }
    const SqliteStatement statement(raw);
    int status = SQLITE_ROW;
    while ((status = sqlite3_step(raw)) == SQLITE_ROW) {
        const std::string line = reinterpret_cast<const char*>(sqlite3_column_text(raw, 0));
        if (line != "ok") {
            found.push_back(line);
        }
    }
    if (status != SQLITE_DONE) {
        found.push_back("The file cannot be read as a database: " + engineReason(db));
        return false;
    }
    return true;
}

// Gives the table shapes that are there to be read, after adding what is wrong with them.
bool addSchemaProblems(sqlite3* db, std::vector<std::string>& found) {
    try {
        bool readable = true;
        for (auto& problem : Schema::problems(db)) {
            readable = readable && problem.mendedByUpgrade;
            found.push_back(std::move(problem.text));
        }
        return readable;
    } catch (const DbError& failure) {
        found.emplace_back(failure.what());
        return false;
    }
}

// What keeps a readable field from being loaded into its window: the master window shows a null name as
// empty, but the transaction windows load every field, a date only within the date box's days and an
// amount only as the amount box keeps it.
std::string unloadable(const Schema::Table& table, const Schema::Column& column, sqlite3_stmt* row,
                       int index) {
    const std::string name(column.name);
    const bool master = table.name == "GMaster";
    if (master && name == "GType") {
        const std::string kind = BookRows::shown(row, index);
        return kind == "'1'" || kind == "'2'" ? std::string() : "GType " + kind + " is neither '1' nor '2'.";
    }
    if (sqlite3_column_type(row, index) == SQLITE_NULL) {
        return master ? std::string() : name + " is null.";
    }
    if (column.type == "DATE") {
        const auto date = BookRows::date(row, index);
        return *date >= kFirstShownDate && *date <= kLastShownDate
                   ? std::string()
                   : name + " " + date->isoText() + " is outside the days the date box shows (" +
                         kFirstShownDate.isoText() + " to " + kLastShownDate.isoText() + ").";
    }
    if (column.type == "REAL" && !ValueForms::isKeptAmount(*BookRows::amount(row, index))) {
        return name + " " + BookRows::shown(row, index) +
               " is not an amount the amount box holds (0 or more, at most 11 digits before the point and 4 "
               "after it).";
    }
    return {};
}

// Each record's fields, then the record numbers stored more than once.
void addRecordProblems(sqlite3* db, const Schema::Table& table, std::vector<std::string>& found) {
    std::vector<long long> numbers;
    BookRows::forEach(db, table, [&](sqlite3_stmt* row) {
        const std::string label = BookRows::recordLabel(table, row);
        for (int index = 0; index < static_cast<int>(table.columns.size()); ++index) {
            const auto& column = table.columns[static_cast<std::size_t>(index)];
            std::string problem = BookRows::unreadable(column, row, index);
            if (problem.empty()) {
                problem = unloadable(table, column, row, index);
            }
            if (!problem.empty()) {
                found.push_back(label + problem);
            }
        }
        if (const auto number = BookRows::recordNumber(row, 0)) {
            numbers.push_back(*number);
        }
    });
    std::sort(numbers.begin(), numbers.end());
    for (auto first = numbers.begin(); first != numbers.end();) {
        const auto next = std::upper_bound(first, numbers.end(), *first);
        if (next - first > 1) {
            found.push_back(std::string(table.name) + " record " + std::to_string(*first) +
                            ": the number is used by " + std::to_string(next - first) + " records.");
        }
        first = next;
    }
}

}  // namespace

namespace DatabaseCheck {

std::vector<std::string> problems(const std::string& path) {
    const SqliteDb db = ReadOnlyDatabase::open(path);
    std::vector<std::string> found;
    if (!addIntegrityProblems(db.get(), found) || !addSchemaProblems(db.get(), found)) {
        return found;
    }
    for (const auto& table : Schema::tables()) {
        try {
            addRecordProblems(db.get(), table, found);
        } catch (const DbError& failure) {
            found.emplace_back(failure.what());
        }
    }
    return found;
}

std::vector<std::string> integrityProblems(const std::string& path) {
    const SqliteDb db = ReadOnlyDatabase::open(path);
    std::vector<std::string> found;
    addIntegrityProblems(db.get(), found);
    return found;
}

}  // namespace DatabaseCheck

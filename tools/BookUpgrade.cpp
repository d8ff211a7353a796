// Copies each record through the strict readers of BookRows into a book made from data/schema.sql.
#include "tools/BookUpgrade.h"

#include <filesystem>
#include <limits>

#include "data/DbError.h"
#include "data/EngineReason.h"
#include "data/Schema.h"
#include "data/SqliteHandles.h"
#include "tools/BookRows.h"
#include "tools/PendingFile.h"
#include "tools/ReadOnlyDatabase.h"

namespace {

// Fails with DbError: the failure's words after `failing`, which says what was being done.
void run(sqlite3* db, const std::string& statements, const std::string& failing) {
    char* message = nullptr;
    if (sqlite3_exec(db, statements.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string reason = message ? message : engineReason(db);
        sqlite3_free(message);
        throw DbError(failing + reason);
    }
}

std::string cannotWrite(const std::string& newPath) {
    return "Cannot write the new book '" + newPath + "': ";
}

// The empty tables in the pending file, in a transaction the records are then written into.
SqliteDb openNewBook(const PendingFile& pending, const std::string& newPath) {
    sqlite3* raw = nullptr;
    const int status = sqlite3_open_v2(pending.path().c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    SqliteDb db(raw);
    if (status != SQLITE_OK) {
        throw DbError(cannotWrite(newPath) + (raw ? engineReason(raw) : sqlite3_errstr(status)));
    }
    run(raw,
        "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; BEGIN; " + std::string(Schema::creationText()),
        cannotWrite(newPath));
    return db;
}

// The largest whole record number the table holds; texts compared as numbers, so '10' is above '9'.
long long largestNumber(sqlite3* db, const Schema::Table& table) {
    long long largest = 0;
    BookRows::forEach(db, table, [&](sqlite3_stmt* row) {
        largest = std::max(largest, BookRows::recordNumber(row, 0).value_or(0));
    });
    return largest;
}

// Binds each field as its column's value: numbers as numbers, a date or text as the text stored.
void bindRecord(sqlite3_stmt* insert, const Schema::Table& table, sqlite3_stmt* row) {
    sqlite3_reset(insert);
    sqlite3_bind_int64(insert, 1, *BookRows::recordNumber(row, 0));
    for (int index = 1; index < static_cast<int>(table.columns.size()); ++index) {
        const auto& column = table.columns[static_cast<std::size_t>(index)];
        if (column.type == "REAL" && sqlite3_column_type(row, index) != SQLITE_NULL) {
            sqlite3_bind_double(insert, index + 1, *BookRows::amount(row, index));
        } else {
            sqlite3_bind_value(insert, index + 1, sqlite3_column_value(row, index));
        }
    }
}

class TableCopy {
public:
    TableCopy(sqlite3* from, sqlite3* to, const Schema::Table& table, bool renumber,
              BookUpgrade::Outcome& outcome)
        : m_to(to),
          m_table(table),
          m_renumber(renumber),
          m_outcome(outcome),
          m_insert(BookRows::prepareInsert(to, table)),
          m_largest(renumber ? largestNumber(from, table) : 0) {}

    void copyRecord(sqlite3_stmt* row) {
        const std::string label = BookRows::recordLabel(m_table, row);
        bool readable = true;
        for (int index = 0; index < static_cast<int>(m_table.columns.size()); ++index) {
            const std::string problem =
                BookRows::unreadable(m_table.columns[static_cast<std::size_t>(index)], row, index);
            if (!problem.empty()) {
                m_outcome.refused.push_back(label + problem);
                readable = false;
            }
        }
        if (!readable) {
            return;
        }
        bindRecord(m_insert.get(), m_table, row);
        int status = sqlite3_step(m_insert.get());
        if (status != SQLITE_DONE && sqlite3_extended_errcode(m_to) == SQLITE_CONSTRAINT_PRIMARYKEY) {
            if (!m_renumber || m_largest == std::numeric_limits<long long>::max()) {
                m_outcome.refused.push_back(label +
                                            "the number is taken by an earlier record (--renumber gives "
                                            "it the next free number).");
                return;
            }
            sqlite3_reset(m_insert.get());
            sqlite3_bind_int64(m_insert.get(), 1, ++m_largest);
            status = sqlite3_step(m_insert.get());
            m_outcome.renumbered.push_back(std::string(m_table.name) + " record " +
                                           std::to_string(*BookRows::recordNumber(row, 0)) + " -> " +
                                           std::to_string(m_largest));
        }
        // A record the new tables refuse is listed; a full disk or a write error ends the upgrade.
        if (status != SQLITE_DONE && (sqlite3_errcode(m_to) & 0xff) != SQLITE_CONSTRAINT) {
            throw DbError("Cannot write the new book: " + engineReason(m_to));
        }
        if (status != SQLITE_DONE) {
            m_outcome.refused.push_back(label + "the new book refuses it: " + sqlite3_errmsg(m_to));
        }
    }

private:
    sqlite3* m_to;
    const Schema::Table& m_table;
    bool m_renumber;
    BookUpgrade::Outcome& m_outcome;
    SqliteStatement m_insert;
    long long m_largest;
};

void copyTable(sqlite3* from, sqlite3* to, const Schema::Table& table, bool renumber,
               BookUpgrade::Outcome& outcome) {
    TableCopy copy(from, to, table, renumber, outcome);
    BookRows::forEach(from, table, [&](sqlite3_stmt* row) { copy.copyRecord(row); });
}

}  // namespace

namespace BookUpgrade {

Outcome upgrade(const std::string& oldPath, const std::string& newPath, bool renumber) {
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(newPath, error))) {
        throw DbError("'" + newPath + "' already exists; choose another name for the new book.");
    }
    const SqliteDb old = ReadOnlyDatabase::open(oldPath);
    std::vector<Schema::Problem> problems;
    try {
        problems = Schema::problems(old.get());
    } catch (const DbError& failure) {
        throw DbError("Cannot read the book '" + oldPath + "': " + failure.what());
    }
    Outcome outcome;
    for (auto& problem : problems) {
        if (!problem.mendedByUpgrade) {
            outcome.refused.push_back(std::move(problem.text));
        }
    }
    if (!outcome.refused.empty()) {
        return outcome;
    }
    // One read transaction, so the records counted and those copied are the same.
    run(old.get(), "BEGIN", "Cannot read the book '" + oldPath + "': ");
    PendingFile pending(newPath);
    SqliteDb fresh = openNewBook(pending, newPath);
    for (const auto& table : Schema::tables()) {
        copyTable(old.get(), fresh.get(), table, renumber, outcome);
    }
    if (!outcome.refused.empty()) {
        outcome.renumbered.clear();
        return outcome;
    }
    run(fresh.get(), "COMMIT", cannotWrite(newPath));
    fresh.reset();
    pending.place();
    return outcome;
}

}  // namespace BookUpgrade

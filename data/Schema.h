// The three tables the program relies on, checked whenever a database file is opened.
#pragma once

#include <sqlite3.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Schema {

struct Column {
    std::string_view name;
    // As data/schema.sql declares it: INTEGER, DATE, REAL or TEXT.
    std::string_view type;
};

struct Table {
    std::string_view name;
    // In the order the windows read them by position; the first is SrNo.
    std::span<const Column> columns;
};

// GMaster, Income and Expenses as data/schema.sql makes them.
std::span<const Table> tables();

// The statements that create an empty database (data/schema.sql).
std::string_view creationText();

// Creates a new database file holding the three empty tables. Refuses, without touching it, a path where
// a file already exists. Fails with DbError.
void createDatabase(const std::string& path);

struct Problem {
    std::string text;
    // A key, a type or a view that `orvella-db upgrade` puts right; a missing table or column it cannot.
    bool mendedByUpgrade;

    friend bool operator==(const Problem&, const Problem&) = default;
};

// Each problem found with the tables, their columns in order, their declared types and the key on SrNo;
// empty when all is as the program relies on. Reads the catalogue only, never the rows. Fails with DbError
// on an unreadable file.
std::vector<Problem> problems(sqlite3* db);

}  // namespace Schema

// The three tables the program relies on, checked whenever a database file is opened.
#pragma once

#include <sqlite3.h>

#include <string>
#include <string_view>
#include <vector>

namespace Schema {

// The statements that create an empty database (data/schema.sql).
std::string_view creationText();

// Creates a new database file holding the three empty tables. Refuses, without touching it, a path where
// a file already exists. Fails with DbError.
void createDatabase(const std::string& path);

// Each problem found with the tables and their columns in order; empty when all is as the program reads it.
std::vector<std::string> problems(sqlite3* db);

}  // namespace Schema

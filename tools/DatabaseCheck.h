// orvella-db check: everything the program relies on, so that every record of a book that passes can be
// picked in the windows.
#pragma once

#include <string>
#include <vector>

namespace DatabaseCheck {

// Each problem found, records named by table and number: the engine's integrity check, the tables, their
// columns, types and keys, then each record's number, dates, amounts, empty fields and master kinds. Empty
// when the file is a sound Orvella database. Fails with DbError when the file cannot be opened at all.
std::vector<std::string> problems(const std::string& path);

// The engine's integrity check alone: every page and index of the file, whatever tables it holds.
std::vector<std::string> integrityProblems(const std::string& path);

}  // namespace DatabaseCheck

// orvella-db export: the three tables as CSV files any spreadsheet reads.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

namespace CsvExport {

// One field as RFC 4180 writes it: quoted when it holds a comma, a quote or a line break or begins or ends
// with a blank, quotes doubled.
std::string field(const std::string& text);

// Writes all the bytes into the file, or gives the system's reason it could not (no space left, ...).
std::error_code writeToFile(std::FILE* file, std::string_view bytes);
// What the export writes its files through: writeToFile, or a test's full disk.
using WriteBytes = std::function<std::error_code(std::FILE* file, std::string_view bytes)>;

// Writes GMaster.csv, Income.csv and Expenses.csv into the folder (made when absent): UTF-8, a header row,
// CRLF line ends, dates as yyyy-MM-dd, amounts in plain digits that read back to the stored value exactly.
// Refuses to overwrite any of the three files. Each file is written under a temporary name and renamed once
// it is whole and on disk; a failure removes every file this export wrote and the folders it made, so the
// same command can run again. Fails with DbError naming the cause.
void exportTables(const std::string& path, const std::string& folder,
                  const WriteBytes& writeBytes = writeToFile);

}  // namespace CsvExport

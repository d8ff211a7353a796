// orvella-db export: the three tables as CSV files any spreadsheet reads.
#pragma once

#include <string>

namespace CsvExport {

// One field as RFC 4180 writes it: quoted when it holds a comma, a quote or a line break, quotes doubled.
std::string field(const std::string& text);

// Writes GMaster.csv, Income.csv and Expenses.csv into the folder (made when absent): UTF-8, a header row,
// CRLF line ends, dates as yyyy-MM-dd, amounts in their plain text form. Refuses to overwrite any of the
// three files. Fails with DbError.
void exportTables(const std::string& path, const std::string& folder);

}  // namespace CsvExport

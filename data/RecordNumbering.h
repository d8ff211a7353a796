// The record-numbering rule shared by every window that adds records.
#pragma once

#include <string_view>

class Connection;
class Recordset;

namespace RecordNumbering {

// Runs the table's "Select Max(SrNO) From ..." on the caller's result set (closing it first when open)
// and gives 1 for an empty table, otherwise the largest number plus 1. Fails with DbError when the largest is
// already the largest a record number can be.
long long NextRecordNumber(Connection& connection, Recordset& numbering, std::string_view maxQuery);

}  // namespace RecordNumbering

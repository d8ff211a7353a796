// The rows of a book's tables as check and upgrade read them, whatever types the file declares.
#pragma once

#include <sqlite3.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "data/CalendarDate.h"
#include "data/Schema.h"
#include "data/SqliteHandles.h"

namespace BookRows {

// Calls visit with each row of the table, its columns by name in the program's order, in the order the
// file keeps them. Fails with DbError when the table cannot be read.
void forEach(sqlite3* db, const Schema::Table& table, const std::function<void(sqlite3_stmt* row)>& visit);

// The insert of one record into the table, a parameter for each column in the program's order. Fails with
// DbError.
SqliteStatement prepareInsert(sqlite3* db, const Schema::Table& table);

// A record number written in plain digits, as it reads back: "007" or "-0" are not.
std::optional<long long> wholeNumber(std::string_view text);
// The stored record number: a whole number, or a text or decimal that stands for one exactly.
std::optional<long long> recordNumber(sqlite3_stmt* row, int column);
// The stored amount: a number held exactly as a decimal, or a text that is wholly such a number.
std::optional<double> amount(sqlite3_stmt* row, int column);
// The stored date: a yyyy-MM-dd text.
std::optional<CalendarDate> date(sqlite3_stmt* row, int column);

// The field as the file holds it, for messages: a text in quotes (cut short when long), a number, null.
std::string shown(sqlite3_stmt* row, int column);
// "Income record 3: ", naming the row by its stored number.
std::string recordLabel(const Schema::Table& table, sqlite3_stmt* row);

// Why the field cannot be read as its column's value (a record number, a date, an amount) and so cannot be
// carried into a new book unchanged; empty when it can. A null date or amount can be carried; a null
// record number cannot.
std::string unreadable(const Schema::Column& column, sqlite3_stmt* row, int index);

}  // namespace BookRows

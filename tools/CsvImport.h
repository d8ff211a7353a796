// orvella-db import: the records of a CSV file added to one table of the book, all of them or none.
#pragma once

#include <string>
#include <vector>

#include "tools/ImportLayout.h"

namespace CsvImport {

// Which rows of a signed amount column are taken: all (each amount 0 or more), or only those above or below
// 0, stored without the sign.
enum class Sign { Any, Credits, Debits };

struct Outcome {
    // The first problems found, each naming the line its record starts on; when there is any, nothing was
    // written.
    std::vector<std::string> problems;
    long long imported = 0;
    long long leftOut = 0;  // rows of the other sign
};

// Reads the whole file as the layout says and checks every row: a record number that is a whole number
// found neither in the book nor on another row, a date that exists and that the date box shows, an amount
// the amount box holds exactly, a master kind '1' or '2'. Only when every row passes are they added, in one
// transaction, under the book's lock; rows without a number are numbered after the largest in the book or
// the file, in the file's order. Fails with DbError when the book or the file cannot be read or written, or
// while a program works on the book.
Outcome import(const std::string& book, const ImportLayout& layout, const std::string& file, Sign sign);

}  // namespace CsvImport

// orvella-db upgrade: a book with the program's tables, holding every record of one the program refuses.
#pragma once

#include <string>
#include <vector>

namespace BookUpgrade {

struct Outcome {
    // Each record that cannot be carried over unchanged, or what keeps the old file from being read as a
    // book; when there is any, no new book was written.
    std::vector<std::string> refused;
    // "Income record 3 -> 12" for each record given the next free number.
    std::vector<std::string> renumbered;
};

// Writes a new book at newPath with the tables of data/schema.sql and every record of the book at oldPath,
// with the same numbers, dates, texts and amounts. A record whose number an earlier record took is refused,
// or, with renumber, given the next free number (one past the largest, as New gives numbers). The old file is
// only read; an existing newPath is refused, and the new book appears there only once it is complete. Fails
// with DbError.
Outcome upgrade(const std::string& oldPath, const std::string& newPath, bool renumber);

}  // namespace BookUpgrade

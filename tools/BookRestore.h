// orvella-db restore: a checked backup put in place of the book, with the program kept off the book
// meanwhile.
#pragma once

#include <string>
#include <vector>

namespace BookRestore {

struct Outcome {
    // What is wrong with the backup; when there is anything, nothing was changed.
    std::vector<std::string> problems;
    // The name, in the book's folder, of the copy of the book as it was; empty when there was no book.
    std::string keptAs;
};

// Holds the book's lock throughout, as the program does: refused while a program works on the book (a lock
// left by one that died is taken over). Checks the backup as `check` does; rolls back a write left
// unfinished in the book, keeps the book byte for byte as "<book name>-before-restore-<UTC time>.mdb" beside
// it, then writes the backup into a temporary file in the book's folder and renames it over the book. The
// backup itself is only read. Fails with DbError.
Outcome restore(const std::string& backup, const std::string& book);

}  // namespace BookRestore

// orvella-db backup --to: dated copies of the book in a folder, the newest few kept.
#pragma once

#include <string>
#include <vector>

namespace RotatingBackup {

struct Outcome {
    std::string copy;                  // the new copy's file name in the folder
    std::vector<std::string> removed;  // the older copies removed, oldest first
};

// Copies the book into the folder (made when absent) under "<book name>-<UTC time>[-n].mdb", safely while the
// program runs, and checks the copy with the engine's integrity check before it gets that name. Only then
// are this book's copies in the folder beyond the newest `keep` removed; no other file is touched and
// nothing is overwritten. Fails with DbError, leaving the folder's copies as they were.
Outcome backUp(const std::string& book, const std::string& folder, int keep);

}  // namespace RotatingBackup

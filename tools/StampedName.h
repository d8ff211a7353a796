// The names of a book's dated copies, "<name>-<yyyy-MM-ddTHHmmssZ>[-n].mdb": the time in UTC, n counting the
// copies made in the same second, so the names sort by age and never collide.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <utility>

#include "tools/PendingFile.h"

namespace StampedName {

// Gives the complete pending file the name of that form for copies named prefix made at this time, n past
// every copy of the same second in the folder; returns the name given. Never replaces a file. Fails with
// DbError.
std::string place(PendingFile& pending, const std::string& folder, const std::string& prefix,
                  std::time_t time);

// For a file name of that form with this prefix, its age: the stamp and n (0 for none); nothing for any
// other name.
std::optional<std::pair<std::string, long long>> age(const std::string& fileName, const std::string& prefix);

}  // namespace StampedName

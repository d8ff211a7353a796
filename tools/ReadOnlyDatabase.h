// Opens a database file for reading only: never created; changed only to roll back a write a crash left.
#pragma once

#include <string>

#include "data/SqliteHandles.h"

namespace ReadOnlyDatabase {

// Rolls back first, as the program's own open does, a write left unfinished in the file (its journal beside
// it). Fails with DbError naming the file and the engine's reason, or saying how to finish such a write
// when it cannot be rolled back here.
SqliteDb open(const std::string& path);

}  // namespace ReadOnlyDatabase

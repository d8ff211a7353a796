// Opens a database file for reading only: never created, never changed.
#pragma once

#include <string>

#include "data/SqliteHandles.h"

namespace ReadOnlyDatabase {

// Fails with DbError naming the file and the engine's reason.
SqliteDb open(const std::string& path);

}  // namespace ReadOnlyDatabase

// orvella-db backup: a consistent copy of the book through the engine's online backup.
#pragma once

#include <string>

namespace DatabaseBackup {

// Copies the database at source to destination, which must not exist yet. Safe while the program is running:
// the copy is one consistent state of the book, read back by its own name before this returns. Fails with
// DbError; a failed copy leaves no file behind.
void copy(const std::string& source, const std::string& destination);

}  // namespace DatabaseBackup

// orvella-db backup: a consistent copy of the book through the engine's online backup.
#pragma once

#include <sqlite3.h>

#include <string>

namespace DatabaseBackup {

// Writes one consistent state of the open book into the file at destination (new, or empty), then reads it
// back by that name. Fails with DbError giving the reason.
void writeCopy(sqlite3* source, const std::string& destination);

// Copies the database at source to destination, which must not exist yet. Safe while the program is running:
// the copy is one consistent state of the book, read back before it gets its name. Fails with DbError; a
// failed copy leaves no file behind.
void copy(const std::string& source, const std::string& destination);

}  // namespace DatabaseBackup

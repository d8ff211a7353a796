// The book's lock taken by a command that writes the book, so that it never writes under a running program.
#pragma once

#include <string>

#include "data/BookLock.h"

namespace CommandLock {

// Takes the lock of the book for the command (the verb in messages: "restore", "import"), taking over one a
// program that died left. Fails with DbError while a program works on the book, or when its folder is gone.
void take(BookLock& lock, const std::string& book, const std::string& command);

}  // namespace CommandLock

// The engine's reason for a failure, as the user is shown it.
#pragma once

#include <sqlite3.h>

#include <string>

// The engine's message, with a word on what the user can do about the common failures.
std::string engineReason(sqlite3* db);

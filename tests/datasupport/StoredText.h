// What a database holds, as text a test compares, and statements run on it behind the program's back.
#pragma once

#include <string>
#include <string_view>

#include "data/SqliteHandles.h"

class Connection;

// Each row the query finds, its fields in their plain text form joined by '|', each row ended by a line feed.
std::string rowsOf(Connection& connection, std::string_view query);

// An engine connection of the test's own to the file, as another program would hold one.
SqliteDb otherConnection(const std::string& path);

// Runs the statements on such a connection; fails with DbError giving the engine's reason.
void runOn(sqlite3* db, const std::string& statements);
void runBehind(const std::string& path, const std::string& statements);

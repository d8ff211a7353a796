// What a database holds, as text a test compares, and statements run on it behind the program's back.
#pragma once

#include <string>
#include <string_view>

class Connection;

// Each row the query finds, its fields in their plain text form joined by '|', each row ended by a line feed.
std::string rowsOf(Connection& connection, std::string_view query);

// Runs the statements on the file through a connection of the test's own, as another program would; fails
// with DbError giving the engine's reason.
void runBehind(const std::string& path, const std::string& statements);

// Start-up: the book's lock, the splash, the database connection and the main window, in that order.
#pragma once

#include <optional>

class Program;

// Starts the program. Gives nothing when the main window is up and the event loop should run, otherwise
// the status the process ends with: 0 when another program works on the book, 1 when start-up failed.
std::optional<int> Main(Program& program);

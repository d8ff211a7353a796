// Sum() of amounts, exact at any row count, installed in the engine in place of its floating-point one.
#pragma once

#include <sqlite3.h>

namespace ExactSum {

// Replaces the engine's sum(X) on this connection. Each value counts rounded to ten-thousandths and the
// values are added as whole ten-thousandths; no rows gives NULL, like the built-in.
void install(sqlite3* db);

}  // namespace ExactSum

// Sum() of amounts, exact at any row count, installed in the engine in place of its floating-point one.
#pragma once

#include <sqlite3.h>

namespace ExactSum {

// Replaces the engine's sum(X) on this connection. Each value counts rounded to ten-thousandths and the
// values are added as whole ten-thousandths; the total is the text of its plain form, every digit kept (a
// double would round it beyond 15 significant digits). No rows gives NULL, like the built-in.
void install(sqlite3* db);

}  // namespace ExactSum

// The names orvella-db takes for files and folders: refused when the engine would not read them as a file.
#pragma once

#include <string>

namespace PlainFileName {

// Fails with DbError for an empty name (as an unset variable in a script gives) and for the names this
// engine build reads as something other than a file: ':memory:' and 'file:' URIs.
void require(const std::string& name);

}  // namespace PlainFileName

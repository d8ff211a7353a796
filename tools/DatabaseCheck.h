// orvella-db check: the engine's integrity check and the three tables with their columns in order.
#pragma once

#include <string>
#include <vector>

namespace DatabaseCheck {

// Each problem found; empty when the file is a sound Orvella database. Fails with DbError when the file
// cannot be opened at all.
std::vector<std::string> problems(const std::string& path);

}  // namespace DatabaseCheck

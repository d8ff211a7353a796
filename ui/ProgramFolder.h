// The folder that holds the program's executable, where its Database folder lives.
#pragma once

#include <string>

namespace ProgramFolder {

// The folder of the executable's real path, byte for byte as the file system names it (any encoding),
// without a trailing separator. Fails with std::runtime_error when the executable's path cannot be read.
std::string path();

// Points path() at another folder (tests); an empty text restores the executable's folder.
// Gives the folder set before.
std::string setOverride(std::string folder);

}  // namespace ProgramFolder

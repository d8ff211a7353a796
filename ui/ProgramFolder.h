// The folder that holds the program's executable, where its Database folder lives.
#pragma once

#include <QString>

namespace ProgramFolder {

// The executable's folder as the platform reports it, without a trailing separator.
QString path();

// Points path() at another folder (tests); an empty text restores the executable's folder.
// Gives the folder set before.
QString setOverride(const QString& folder);

}  // namespace ProgramFolder

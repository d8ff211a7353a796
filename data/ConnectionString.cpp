// The connection string's fixed text and the file it names.
#include "data/ConnectionString.h"

#include <algorithm>
#include <cctype>

#include "data/DbError.h"

namespace ConnectionString {

std::string forProgramFolder(std::string_view folder) {
    std::string text(kProvider);
    text += folder;
    text += kDatabaseFile;
    return text;
}

std::string dataSourcePath(std::string_view connectionString) {
    constexpr std::string_view kKey = "data source=";
    std::string lowered(connectionString);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto key = lowered.find(kKey);
    if (key == std::string::npos) {
        throw DbError("The connection string names no data source: " + std::string(connectionString));
    }
    // The data source is the string's last part, so a folder name holding ';' still reads whole.
    std::string path(connectionString.substr(key + kKey.size()));
    // The string is written with the separators of the system it was designed on.
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

}  // namespace ConnectionString

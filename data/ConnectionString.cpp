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
    // The program adds its file's part with the separators of the system it was designed on; a '\' in
    // a folder's own name belongs to that name.
    if (path.ends_with(kDatabaseFile)) {
        std::replace(path.end() - static_cast<std::ptrdiff_t>(kDatabaseFile.size()), path.end(), '\\', '/');
    }
    return path;
}

}  // namespace ConnectionString

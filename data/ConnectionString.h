// Reads a database path out of a connection string.
#pragma once

#include <string>
#include <string_view>

namespace ConnectionString {

inline constexpr std::string_view kProvider = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";
inline constexpr std::string_view kDatabaseFile = "\\Database\\Database.mdb";

// The connection string of the database beside the program: the fixed text, the folder, the file.
std::string forProgramFolder(std::string_view folder);

// The file named by "Data Source=", with the separators of the program's own "\Database\Database.mdb"
// part turned into the platform's.
// Fails with DbError when the string names no data source.
std::string dataSourcePath(std::string_view connectionString);

}  // namespace ConnectionString

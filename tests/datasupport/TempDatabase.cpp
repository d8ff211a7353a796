// Temporary program folders with an empty database.
#include "tests/datasupport/TempDatabase.h"

#include <cstdlib>

#include "data/ConnectionString.h"
#include "data/DbError.h"
#include "data/Schema.h"

TempDatabase::TempDatabase() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvella-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw DbError("Cannot make a temporary folder");
    }
    m_folder = pattern;
    std::filesystem::create_directory(m_folder / "Database");
    Schema::createDatabase(path());
    m_connection.Open(ConnectionString::forProgramFolder(m_folder.string()));
}

TempDatabase::~TempDatabase() {
    m_connection.Close();
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

std::string TempDatabase::path() const {
    return (m_folder / "Database" / "Database.mdb").string();
}

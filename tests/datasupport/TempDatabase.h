// A fresh, empty database in a temporary folder laid out as beside the program, removed afterwards; with a
// connection opened on it the way the program opens it, unless asked for none.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "data/DbError.h"
#include "data/Schema.h"

class TempDatabase {
public:
    explicit TempDatabase(bool connect = true) {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvella-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw DbError("Cannot make a temporary folder");
        }
        m_folder = pattern;
        std::filesystem::create_directory(m_folder / "Database");
        Schema::createDatabase(path());
        if (connect) {
            m_connection.Open(ConnectionString::forProgramFolder(m_folder.string()));
        }
    }
    ~TempDatabase() {
        m_connection.Close();
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    // The folder standing for the program's folder; the database is Database/Database.mdb inside it.
    const std::filesystem::path& folder() const { return m_folder; }
    std::string path() const { return (m_folder / "Database" / "Database.mdb").string(); }

    Connection& connection() { return m_connection; }

private:
    std::filesystem::path m_folder;
    Connection m_connection;
};

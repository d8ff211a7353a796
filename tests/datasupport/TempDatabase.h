// A fresh, empty database in a temporary folder laid out as beside the program, removed afterwards.
#pragma once

#include <filesystem>
#include <string>

#include "data/Connection.h"

class TempDatabase {
public:
    TempDatabase();
    ~TempDatabase();
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    // The folder standing for the program's folder; the database is Database/Database.mdb inside it.
    const std::filesystem::path& folder() const { return m_folder; }
    std::string path() const;

    // A connection opened the way the program opens it.
    Connection& connection() { return m_connection; }

private:
    std::filesystem::path m_folder;
    Connection m_connection;
};

// The database connection: opened once from a connection string, it runs every statement of the program.
#pragma once

#include <sqlite3.h>

#include <string>
#include <string_view>

#include "data/SqliteHandles.h"

class Connection {
public:
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the file named by the string's Data Source. Never creates a file; fails with a DbError naming
    // the file and the engine's reason when it is missing, unreadable, read-only, not a database or
    // without the tables GMaster, Income and Expenses as the program needs them (their columns in order,
    // declared types and the key on SrNo). An open connection is closed first.
    void Open(std::string_view connectionString, std::string_view userId = {},
              std::string_view password = {});

    // Runs one statement without a result; the change is on disk when it returns.
    // Gives the number of rows the statement changed.
    long long Execute(std::string_view statement);

    // 0 closed, 1 open.
    int State() const { return m_db ? 1 : 0; }
    const std::string& ConnectionString() const { return m_connectionString; }
    const std::string& databasePath() const { return m_path; }

    // Prepares exactly one statement (a second one after it is refused). For the result sets of this layer.
    SqliteStatement prepare(std::string_view statement) const;
    // The engine's reason for the last failure, with a word on what the user can do about the common ones.
    std::string failureReason() const;
    sqlite3* handle() const;

    void Close();

    // Busy timeout of every connection: long enough to ride out a short lock, short enough not to freeze.
    static constexpr int kBusyTimeoutMs = 1000;

private:
    SqliteDb m_db;
    std::string m_connectionString;
    std::string m_path;
};

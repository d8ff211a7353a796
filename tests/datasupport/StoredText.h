// What a database holds, as text a test compares, and statements run on it behind the program's back.
#pragma once

#include <string>
#include <string_view>

#include "data/Connection.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "data/SqliteHandles.h"

// Each row the query finds, its fields in their plain text form joined by '|', each row ended by a line feed.
inline std::string rowsOf(Connection& connection, std::string_view query) {
    Recordset rs;
    rs.Open(query, connection, Recordset::adOpenStatic, Recordset::adLockBatchOptimistic);
    std::string rows;
    for (; !rs.Eof(); rs.MoveNext()) {
        for (std::size_t i = 0; i < rs.fieldCount(); ++i) {
            rows += (i > 0 ? "|" : "") + rs.Fields(i).toText();
        }
        rows += "\n";
    }
    return rows;
}

// Runs the statements on the file as another program would; fails with DbError giving the engine's reason.
inline void runBehind(const std::string& path, const std::string& statements) {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    const SqliteDb db(raw);
    if (opened != SQLITE_OK ||
        sqlite3_exec(raw, statements.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        throw DbError(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(opened));
    }
}

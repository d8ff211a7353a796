// CSV export of the book, read from the file without changing it.
#include "tools/CsvExport.h"

#include <filesystem>
#include <fstream>

#include "data/DbError.h"
#include "data/EngineReason.h"
#include "data/RowStore.h"
#include "tools/ReadOnlyDatabase.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTables[] = {"GMaster", "Income", "Expenses"};

std::string row(const RowStore& rows, std::size_t index) {
    std::string line;
    for (std::size_t column = 0; column < rows.columnCount(); ++column) {
        if (column > 0) {
            line += ',';
        }
        line += CsvExport::field(rows.text(index, column));
    }
    return line + "\r\n";
}

void writeTable(sqlite3* db, const std::string& table, const fs::path& file) {
    const std::string query = "SELECT * FROM " + table + " ORDER BY SrNo";
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, query.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        throw DbError("Cannot read the table " + table + ": " + engineReason(db));
    }
    const SqliteStatement statement(raw);
    const auto rows = RowStore::read(raw);
    std::ofstream out(file, std::ios::binary);
    std::string header;
    for (const auto& name : rows->columnNames()) {
        if (!header.empty()) {
            header += ',';
        }
        header += CsvExport::field(name);
    }
    out << header << "\r\n";
    for (std::size_t index = 0; index < rows->rowCount(); ++index) {
        out << row(*rows, index);
    }
    out.flush();
    if (!out) {
        throw DbError("Cannot write '" + file.string() + "'.");
    }
}

}  // namespace

namespace CsvExport {

std::string field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

void exportTables(const std::string& path, const std::string& folder) {
    const SqliteDb db = ReadOnlyDatabase::open(path);
    std::error_code error;
    for (const char* table : kTables) {
        const fs::path file = fs::path(folder) / (std::string(table) + ".csv");
        if (fs::exists(fs::symlink_status(file, error))) {
            throw DbError("'" + file.string() + "' already exists; export into an empty folder.");
        }
    }
    fs::create_directories(folder, error);
    if (error) {
        throw DbError("Cannot make the folder '" + folder + "': " + error.message());
    }
    for (const char* table : kTables) {
        writeTable(db.get(), table, fs::path(folder) / (std::string(table) + ".csv"));
    }
}

}  // namespace CsvExport

// CSV export of the book, read from the file without changing it; all three files or none.
#include "tools/CsvExport.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <memory>
#include <vector>

#include "data/DbError.h"
#include "data/EngineReason.h"
#include "data/RowStore.h"
#include "data/ValueForms.h"
#include "tools/PendingFile.h"
#include "tools/ReadOnlyDatabase.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTables[] = {"GMaster", "Income", "Expenses"};

std::string header(const RowStore& rows) {
    std::string line;
    for (const auto& name : rows.columnNames()) {
        if (!line.empty()) {
            line += ',';
        }
        line += CsvExport::field(name);
    }
    return line + "\r\n";
}

// The shortest text that reads back to the very same double, in plain digits: import then stores the amount
// exactly as it was. For an amount the program stored this is its plain text form.
std::string exactAmount(double value) {
    char text[400];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return written.ec == std::errc() ? std::string(text, written.ptr) : ValueForms::plainText(value);
}

std::string row(const RowStore& rows, std::size_t index) {
    std::string line;
    for (std::size_t column = 0; column < rows.columnCount(); ++column) {
        if (column > 0) {
            line += ',';
        }
        const Variant value = rows.value(index, column);
        line += value.type() == Variant::Type::Decimal ? exactAmount(value.toDouble())
                                                       : CsvExport::field(value.toText());
    }
    return line + "\r\n";
}

std::error_code lastError() {
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

// Puts the file's bytes on the disk and closes it; a full disk may only show here.
std::error_code finish(std::FILE* file) {
    const bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    const std::error_code flushError = flushed ? std::error_code() : lastError();
    if (std::fclose(file) != 0 && !flushError) {
        return lastError();
    }
    return flushError;
}

// Makes the folder and its missing parents, adding each one made to `made`, outermost first.
void makeFolders(const fs::path& folder, std::vector<fs::path>& made) {
    fs::path level;
    for (const auto& part : fs::absolute(folder).lexically_normal()) {
        level /= part;
        std::error_code error;
        if (fs::create_directory(level, error)) {
            made.push_back(level);
        } else if (error) {
            throw DbError("Cannot make the folder '" + folder.string() + "': " + error.message() + ".");
        }
    }
}

// Writes one table under a temporary name beside its own, given its name once the whole file is on disk.
void writeTable(sqlite3* db, const std::string& table, const fs::path& file,
                const CsvExport::WriteBytes& writeBytes, std::vector<fs::path>& written) {
    const std::string query = "SELECT * FROM " + table + " ORDER BY SrNo";
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, query.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        throw DbError("Cannot read the table " + table + ": " + engineReason(db));
    }
    const SqliteStatement statement(raw);
    const auto rows = RowStore::read(raw);
    PendingFile pending(file.string());
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(pending.path().c_str(), "wb"),
                                                        &std::fclose);
    std::error_code error = out ? writeBytes(out.get(), header(*rows)) : lastError();
    for (std::size_t index = 0; !error && index < rows->rowCount(); ++index) {
        error = writeBytes(out.get(), row(*rows, index));
    }
    if (!error) {
        error = finish(out.release());
    }
    if (error) {
        throw DbError("Cannot write '" + file.string() + "': " + error.message() + ".");
    }
    written.push_back(file);
    pending.place();
}

// Takes away what a failed export wrote; gives the words to add to its message.
std::string removeWritten(const std::vector<fs::path>& files, const std::vector<fs::path>& folders) {
    std::string left;
    std::error_code error;
    for (const auto& file : files) {
        if (!fs::remove(file, error) && error) {
            left += " '" + file.string() + "' (" + error.message() + ")";
        }
    }
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        if (!fs::remove(*folder, error) && error) {
            left += " '" + folder->string() + "' (" + error.message() + ")";
        }
    }
    return left.empty() ? " Nothing was exported; run the command again once that is mended."
                        : " These could not be removed:" + left + ".";
}

}  // namespace

namespace CsvExport {

std::string field(const std::string& text) {
    // Blanks at either end are quoted too, as many readers drop them from a field without quotes.
    const bool blankAtEnd =
        !text.empty() && (text.find_first_of(" \t") == 0 || text.find_last_of(" \t") == text.size() - 1);
    if (text.find_first_of(",\"\r\n") == std::string::npos && !blankAtEnd) {
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

std::error_code writeToFile(std::FILE* file, std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() ? std::error_code() : lastError();
}

void exportTables(const std::string& path, const std::string& folder, const WriteBytes& writeBytes) {
    const SqliteDb db = ReadOnlyDatabase::open(path);
    std::error_code error;
    for (const char* table : kTables) {
        const fs::path file = fs::path(folder) / (std::string(table) + ".csv");
        if (fs::exists(fs::symlink_status(file, error))) {
            throw DbError("'" + file.string() + "' already exists; export into an empty folder.");
        }
    }
    std::vector<fs::path> made;
    std::vector<fs::path> written;
    try {
        makeFolders(folder, made);
        for (const char* table : kTables) {
            writeTable(db.get(), table, fs::path(folder) / (std::string(table) + ".csv"), writeBytes,
                       written);
        }
    } catch (const DbError& failure) {
        throw DbError(failure.what() + removeWritten(written, made));
    }
}

}  // namespace CsvExport

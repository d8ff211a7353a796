// The database connection over the engine: opening checks, durable single statements.
#include "data/Connection.h"

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "data/ConnectionString.h"
#include "data/DbError.h"
#include "data/EngineReason.h"
#include "data/ExactSum.h"
#include "data/Schema.h"

namespace {

// The engine has no "Delete * from T"; the catalogue's deletes are written that way.
std::string withoutDeleteStar(std::string_view statement) {
    constexpr std::string_view kDeleteStar = "delete * from";
    const auto start = statement.find_first_not_of(" \t\r\n");
    if (start != std::string_view::npos && statement.size() - start >= kDeleteStar.size() &&
        sqlite3_strnicmp(statement.data() + start, kDeleteStar.data(),
                         static_cast<int>(kDeleteStar.size())) == 0) {
        return std::string(statement.substr(0, start)) + "Delete from" +
               std::string(statement.substr(start + kDeleteStar.size()));
    }
    return std::string(statement);
}

void runPragma(sqlite3* db, const char* pragma, const std::string& path) {
    char* message = nullptr;
    if (sqlite3_exec(db, pragma, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string reason = message ? message : engineReason(db);
        sqlite3_free(message);
        throw DbError("Cannot open the database '" + path + "': " + reason);
    }
}

// One whole-number answer of a pragma; -1 when it has none.
std::int64_t pragmaValue(sqlite3* db, const char* pragma) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, pragma, -1, &raw, nullptr) != SQLITE_OK) {
        return -1;
    }
    const SqliteStatement statement(raw);
    return sqlite3_step(raw) == SQLITE_ROW ? sqlite3_column_int64(raw, 0) : -1;
}

// A whole-file check would read every page of a large book at every start. These cheap probes catch what
// commonly goes wrong instead: a file cut short (fewer bytes than its header's page count says), and a
// damaged root or edge page of one of the three tables (each table's first and last rows are read, which
// walks its root and both edges). Damage deeper in a table shows when a window reads it, and
// `orvella-db check` finds it. Empty when nothing was found.
std::string firstDamage(sqlite3* db, const std::string& path) {
    std::error_code error;
    const auto bytes = std::filesystem::file_size(path, error);
    const std::int64_t pages = pragmaValue(db, "PRAGMA page_count");
    const std::int64_t pageSize = pragmaValue(db, "PRAGMA page_size");
    if (!error && pages > 0 && pageSize > 0 && static_cast<std::uintmax_t>(pages * pageSize) > bytes) {
        return "the file is shorter than its own header says";
    }
    for (const char* probe : {"SELECT * FROM GMaster LIMIT 1", "SELECT max(SrNo) FROM GMaster",
                              "SELECT * FROM Income LIMIT 1", "SELECT max(SrNo) FROM Income",
                              "SELECT * FROM Expenses LIMIT 1", "SELECT max(SrNo) FROM Expenses"}) {
        char* message = nullptr;
        if (sqlite3_exec(db, probe, nullptr, nullptr, &message) != SQLITE_OK) {
            std::string reason = message ? message : engineReason(db);
            sqlite3_free(message);
            return reason;
        }
    }
    return {};
}

// A file whose tables the program cannot rely on is refused before the user adds work to it. Where the
// tables are only declared otherwise, the user is told of the command that copies the book into the right
// ones.
void refuseForeignSchema(sqlite3* db, const std::string& path) {
    std::vector<Schema::Problem> problems;
    try {
        problems = Schema::problems(db);
    } catch (const DbError& failure) {
        throw DbError("Cannot open the database '" + path + "': " + failure.what());
    }
    if (problems.empty()) {
        return;
    }
    std::string description = "'" + path + "' is not an Orvella database:";
    bool mended = true;
    for (const auto& problem : problems) {
        description += " " + problem.text;
        mended = mended && problem.mendedByUpgrade;
    }
    if (mended) {
        description += " Run orvella-db upgrade to copy its records into a new book the program opens.";
    }
    throw DbError(description);
}

}  // namespace

void Connection::Open(std::string_view connectionString, std::string_view, std::string_view) {
    Close();
    const std::string path = ConnectionString::dataSourcePath(connectionString);
    sqlite3* raw = nullptr;
    const int status =
        sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    SqliteDb db(raw);
    if (status != SQLITE_OK) {
        std::string reason = raw ? sqlite3_errmsg(raw) : sqlite3_errstr(status);
        std::error_code error;
        if (!std::filesystem::exists(path, error)) {
            reason += " (there is no such file)";
        }
        throw DbError("Cannot open the database '" + path + "': " + reason);
    }
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_timeout(raw, kBusyTimeoutMs);
    if (sqlite3_db_readonly(raw, "main") == 1) {
        throw DbError("Cannot open the database '" + path + "': the file is read-only.");
    }
    // Each statement is its own transaction, on disk when it returns, with no file left beside the database.
    runPragma(raw, "PRAGMA journal_mode=DELETE", path);
    runPragma(raw, "PRAGMA synchronous=FULL", path);
    refuseForeignSchema(raw, path);
    // A damaged file is refused before the user adds work to it.
    const std::string damage = firstDamage(raw, path);
    if (!damage.empty()) {
        throw DbError("Cannot open the database '" + path +
                      "': the file is damaged; restore it from a backup (" + damage + ").");
    }
    ExactSum::install(raw);
    m_db = std::move(db);
    m_connectionString = std::string(connectionString);
    m_path = path;
}

long long Connection::Execute(std::string_view statement) {
    const SqliteStatement prepared = prepare(withoutDeleteStar(statement));
    int status = SQLITE_ROW;
    while ((status = sqlite3_step(prepared.get())) == SQLITE_ROW) {
    }
    if (status != SQLITE_DONE) {
        throw DbError(failureReason());
    }
    return sqlite3_changes64(handle());
}

SqliteStatement Connection::prepare(std::string_view statement) const {
    sqlite3* db = handle();
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, statement.data(), static_cast<int>(statement.size()), &raw, &tail) !=
        SQLITE_OK) {
        throw DbError(engineReason(db));
    }
    SqliteStatement prepared(raw);
    if (raw == nullptr) {
        throw DbError("The statement is empty.");
    }
    const std::string_view rest(tail, static_cast<std::size_t>(statement.data() + statement.size() - tail));
    if (rest.find_first_not_of(" \t\r\n;") != std::string_view::npos) {
        throw DbError("Only one statement can be run at a time.");
    }
    return prepared;
}

std::string Connection::failureReason() const {
    return engineReason(handle());
}

sqlite3* Connection::handle() const {
    if (!m_db) {
        throw DbError("Operation is not allowed when the object is closed.");
    }
    return m_db.get();
}

void Connection::Close() {
    m_db.reset();
}

// Online backup: the engine copies the pages under a read lock, retrying while a writer holds the file.
#include "tools/DatabaseBackup.h"

#include <chrono>
#include <filesystem>
#include <thread>

#include "data/DbError.h"
#include "data/EngineReason.h"
#include "data/Schema.h"
#include "tools/PendingFile.h"
#include "tools/ReadOnlyDatabase.h"

namespace {

// How long a writer may hold the file before the backup gives up.
constexpr int kAttempts = 100;
constexpr auto kPause = std::chrono::milliseconds(100);

// Runs the whole backup; gives the engine's status.
int runBackup(sqlite3* destination, sqlite3* source) {
    sqlite3_backup* backup = sqlite3_backup_init(destination, "main", source, "main");
    if (backup == nullptr) {
        return sqlite3_errcode(destination);
    }
    int status = SQLITE_OK;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        status = sqlite3_backup_step(backup, -1);
        if (status != SQLITE_BUSY && status != SQLITE_LOCKED) {
            break;
        }
        std::this_thread::sleep_for(kPause);
    }
    const int finished = sqlite3_backup_finish(backup);
    return status == SQLITE_DONE ? finished : status;
}

// Writes the pages; fails with DbError giving the engine's reason.
void writePages(sqlite3* source, const std::string& destination) {
    sqlite3* raw = nullptr;
    const int opened =
        sqlite3_open_v2(destination.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const SqliteDb to(raw);
    const int status = opened == SQLITE_OK ? runBackup(raw, source) : opened;
    if (status != SQLITE_OK) {
        std::string reason = raw ? engineReason(raw) : sqlite3_errstr(status);
        if (reason == "not an error" || reason.empty()) {
            reason = sqlite3_errstr(status);
        }
        throw DbError(reason);
    }
}

// Reads the copy back by its own name: the same tables as the source, or no backup was made there.
void confirmCopy(sqlite3* source, const std::string& destination) {
    const SqliteDb copy = ReadOnlyDatabase::open(destination);
    if (Schema::problems(copy.get()) != Schema::problems(source)) {
        throw DbError("the copy does not read back as the same book");
    }
}

}  // namespace

namespace DatabaseBackup {

void writeCopy(sqlite3* source, const std::string& destination) {
    writePages(source, destination);
    confirmCopy(source, destination);
}

void copy(const std::string& source, const std::string& destination) {
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(destination, error))) {
        throw DbError("'" + destination + "' already exists; choose another name for the backup.");
    }
    const SqliteDb from = ReadOnlyDatabase::open(source);
    PendingFile pending(destination);
    try {
        writeCopy(from.get(), pending.path());
        pending.place();
    } catch (const DbError& failure) {
        throw DbError("Cannot back up '" + source + "' to '" + destination + "': " + failure.what());
    }
}

}  // namespace DatabaseBackup

// Restoring a book: the lock, the check, the copy of the book as it was, then one rename.
#include "tools/BookRestore.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "data/BookLock.h"
#include "data/DbError.h"
#include "tools/CommandLock.h"
#include "tools/DatabaseBackup.h"
#include "tools/DatabaseCheck.h"
#include "tools/PendingFile.h"
#include "tools/ReadOnlyDatabase.h"
#include "tools/StampedName.h"

namespace fs = std::filesystem;

namespace {

// The file's bytes as they are, on disk: a damaged book is kept as it was, for whoever wants to look at it.
void copyBytes(const std::string& from, const std::string& to) {
    std::error_code error;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    const int file = error ? -1 : open(to.c_str(), O_WRONLY);
    if (file < 0 || fsync(file) != 0) {
        const std::string reason = error ? error.message() : std::strerror(errno);
        if (file >= 0) {
            close(file);
        }
        throw DbError("Cannot copy '" + from + "': " + reason + ".");
    }
    close(file);
}

// The book as it is, beside it; gives the copy's name. No book, no copy.
std::string keepBook(const std::string& book) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(book, error))) {
        return {};
    }
    // Rolled back first, as the program would on opening it: the copy is the book as last saved.
    ReadOnlyDatabase::open(book);
    const fs::path path(book);
    PendingFile pending(book + ".before-restore");
    copyBytes(book, pending.path());
    const std::string folder = path.parent_path().empty() ? "." : path.parent_path().string();
    return StampedName::place(pending, folder, path.stem().string() + "-before-restore", std::time(nullptr));
}

}  // namespace

namespace BookRestore {

Outcome restore(const std::string& backup, const std::string& named) {
    BookLock lock;
    CommandLock::take(lock, named, "restore");
    // Through a link, the book is the file it leads to, as the lock is.
    std::error_code error;
    const fs::path real = fs::canonical(named, error);
    const std::string book = error ? named : real.string();
    Outcome outcome;
    outcome.problems = DatabaseCheck::problems(backup);
    if (!outcome.problems.empty()) {
        return outcome;
    }
    outcome.keptAs = keepBook(book);
    const SqliteDb from = ReadOnlyDatabase::open(backup);
    PendingFile restored(book);
    try {
        DatabaseBackup::writeCopy(from.get(), restored.path());
        restored.replace();
    } catch (const DbError& failure) {
        throw DbError("Cannot restore '" + book + "' from '" + backup + "': " + failure.what() +
                      "; the book was left as it was.");
    }
    return outcome;
}

}  // namespace BookRestore

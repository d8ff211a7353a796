// Dated, checked copies of the book, pruned to the newest few once the new one is in place.
#include "tools/RotatingBackup.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "data/DbError.h"
#include "tools/DatabaseBackup.h"
#include "tools/DatabaseCheck.h"
#include "tools/PendingFile.h"
#include "tools/ReadOnlyDatabase.h"
#include "tools/StampedName.h"

namespace fs = std::filesystem;

namespace {

// This book's copies in the folder, newest first; the one just made comes first whatever the clock did.
std::vector<std::string> copiesByAge(const std::string& folder, const std::string& prefix,
                                     const std::string& made) {
    std::vector<std::pair<std::pair<std::string, long long>, std::string>> copies;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        const auto age = StampedName::age(name, prefix);
        if (age && entry.is_regular_file(error)) {
            copies.emplace_back(*age, name);
        }
    }
    if (error) {
        throw DbError("Cannot read the folder '" + folder + "': " + error.message() + ".");
    }
    std::sort(copies.rbegin(), copies.rend());
    std::vector<std::string> names{made};
    for (auto& copy : copies) {
        if (copy.second != made) {
            names.push_back(std::move(copy.second));
        }
    }
    return names;
}

// Writes the checked copy; gives its name.
std::string writeCheckedCopy(const std::string& book, const std::string& folder, const std::string& prefix) {
    const SqliteDb from = ReadOnlyDatabase::open(book);
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        throw DbError("Cannot make the folder '" + folder + "': " + error.message() + ".");
    }
    PendingFile pending((fs::path(folder) / (prefix + ".mdb")).string());
    try {
        DatabaseBackup::writeCopy(from.get(), pending.path());
        const std::vector<std::string> problems = DatabaseCheck::integrityProblems(pending.path());
        if (!problems.empty()) {
            throw DbError("the copy fails the integrity check: " + problems.front());
        }
        return StampedName::place(pending, folder, prefix, std::time(nullptr));
    } catch (const DbError& failure) {
        throw DbError("Cannot back up '" + book + "' into '" + folder + "': " + failure.what() +
                      "; no copy was removed.");
    }
}

}  // namespace

namespace RotatingBackup {

Outcome backUp(const std::string& book, const std::string& folder, int keep) {
    const std::string prefix = fs::path(book).stem().string();
    Outcome outcome;
    outcome.copy = writeCheckedCopy(book, folder, prefix);
    const std::vector<std::string> copies = copiesByAge(folder, prefix, outcome.copy);
    for (std::size_t index = copies.size(); index > static_cast<std::size_t>(keep); --index) {
        const std::string& old = copies[index - 1];
        std::error_code error;
        if (!fs::remove(fs::path(folder) / old, error) && error) {
            throw DbError("Backed up into '" + (fs::path(folder) / outcome.copy).string() +
                          "', but cannot remove the older copy '" + old + "': " + error.message() + ".");
        }
        outcome.removed.push_back(old);
    }
    return outcome;
}

}  // namespace RotatingBackup

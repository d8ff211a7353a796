// orvella-db: the companion command that creates, checks, backs up, exports and upgrades the book file.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "data/DbError.h"
#include "data/Schema.h"
#include "tools/BookUpgrade.h"
#include "tools/CsvExport.h"
#include "tools/DatabaseBackup.h"
#include "tools/DatabaseCheck.h"
#include "tools/PlainFileName.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: orvella-db COMMAND ...\n"
    "  create PATH        make a new, empty Orvella database at PATH (an existing file is never touched)\n"
    "  check PATH         check the file, its tables and every record; prints \"ok\" or each problem\n"
    "  backup PATH DEST   copy the database to DEST, safely even while Orvella is running\n"
    "  export PATH DIR    write GMaster.csv, Income.csv and Expenses.csv into DIR\n"
    "  upgrade OLD NEW [--renumber]\n"
    "                     copy every record of OLD into a new book NEW with the tables Orvella needs;\n"
    "                     --renumber gives a record whose number is taken the next free number\n";

int usage() {
    std::fputs(kUsage.data(), stderr);
    return 2;
}

int create(const std::string& path) {
    Schema::createDatabase(path);
    // Read back by its own name: success is reported only for a book the program and `check` accept there.
    const std::vector<std::string> problems = DatabaseCheck::problems(path);
    if (!problems.empty()) {
        throw DbError("'" + path + "' was not made as an Orvella book: " + problems.front());
    }
    std::printf("Created the empty database %s\n", path.c_str());
    return 0;
}

int check(const std::string& path) {
    const std::vector<std::string> problems = DatabaseCheck::problems(path);
    if (problems.empty()) {
        std::puts("ok");
        return 0;
    }
    for (const auto& problem : problems) {
        std::printf("%s\n", problem.c_str());
    }
    return 1;
}

int backup(const std::string& path, const std::string& destination) {
    DatabaseBackup::copy(path, destination);
    std::printf("Backed up %s to %s\n", path.c_str(), destination.c_str());
    return 0;
}

int exportCsv(const std::string& path, const std::string& folder) {
    CsvExport::exportTables(path, folder);
    std::printf("Exported GMaster.csv, Income.csv and Expenses.csv into %s\n", folder.c_str());
    return 0;
}

int upgrade(const std::string& oldPath, const std::string& newPath, bool renumber) {
    const BookUpgrade::Outcome outcome = BookUpgrade::upgrade(oldPath, newPath, renumber);
    for (const auto& line : outcome.refused) {
        std::printf("%s\n", line.c_str());
    }
    if (!outcome.refused.empty()) {
        std::fflush(stdout);
        std::fprintf(stderr, "orvella-db: nothing was written, for the reasons listed above.\n");
        return 1;
    }
    for (const auto& line : outcome.renumbered) {
        std::printf("%s\n", line.c_str());
    }
    std::printf("Upgraded %s into the new book %s\n", oldPath.c_str(), newPath.c_str());
    return 0;
}

int dispatch(const std::vector<std::string>& args) {
    // Every argument after the command names a file or folder.
    for (std::size_t i = 1; i < args.size(); ++i) {
        PlainFileName::require(args[i]);
    }
    if (args.size() == 2 && args[0] == "create") {
        return create(args[1]);
    }
    if (args.size() == 2 && args[0] == "check") {
        return check(args[1]);
    }
    if (args.size() == 3 && args[0] == "backup") {
        return backup(args[1], args[2]);
    }
    if (args.size() == 3 && args[0] == "export") {
        return exportCsv(args[1], args[2]);
    }
    const bool renumber = args.size() == 4 && args[3] == "--renumber";
    if ((args.size() == 3 || renumber) && args[0] == "upgrade") {
        return upgrade(args[1], args[2], renumber);
    }
    return usage();
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return dispatch(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const DbError& failure) {
        std::fprintf(stderr, "orvella-db: %s\n", failure.what());
        return 1;
    }
}

// orvella-db: the companion command that creates, checks, backs up, restores, exports, imports and upgrades
// the book file.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "data/DbError.h"
#include "data/Schema.h"
#include "tools/BookRestore.h"
#include "tools/BookUpgrade.h"
#include "tools/CommandLine.h"
#include "tools/CsvExport.h"
#include "tools/CsvImport.h"
#include "tools/DatabaseBackup.h"
#include "tools/DatabaseCheck.h"
#include "tools/RotatingBackup.h"

namespace {

// A fortnight of daily copies.
constexpr int kBackupsKept = 14;

void printLines(const std::vector<std::string>& lines) {
    for (const auto& line : lines) {
        std::printf("%s\n", line.c_str());
    }
}

// Lists what keeps a command from writing, then says on standard error that nothing was done; gives 1.
int refused(const std::vector<std::string>& reasons, const std::string& outcome) {
    printLines(reasons);
    std::fflush(stdout);
    std::fprintf(stderr, "orvella-db: %s, for the reasons listed above.\n", outcome.c_str());
    return 1;
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
    printLines(problems);
    return 1;
}

int backup(const std::string& path, const std::string& destination) {
    DatabaseBackup::copy(path, destination);
    std::printf("Backed up %s to %s\n", path.c_str(), destination.c_str());
    return 0;
}

int backupInto(const std::string& path, const std::string& folder, int keep) {
    const RotatingBackup::Outcome outcome = RotatingBackup::backUp(path, folder, keep);
    std::printf("Backed up %s to %s, checked\n", path.c_str(),
                (std::filesystem::path(folder) / outcome.copy).c_str());
    for (const auto& removed : outcome.removed) {
        std::printf("Removed the older copy %s\n", removed.c_str());
    }
    return 0;
}

int restore(const std::string& backup, const std::string& path) {
    const BookRestore::Outcome outcome = BookRestore::restore(backup, path);
    if (!outcome.problems.empty()) {
        return refused(outcome.problems, "nothing was restored");
    }
    std::printf("Restored %s from %s\n", path.c_str(), backup.c_str());
    if (!outcome.keptAs.empty()) {
        std::printf("The book as it was is kept beside it as %s\n", outcome.keptAs.c_str());
    }
    return 0;
}

int exportCsv(const std::string& path, const std::string& folder) {
    CsvExport::exportTables(path, folder);
    std::printf("Exported GMaster.csv, Income.csv and Expenses.csv into %s\n", folder.c_str());
    return 0;
}

int import(const std::string& path, const std::string& tableName, const std::string& file,
           const std::vector<std::string>& map, const std::string& sign) {
    const Schema::Table& table =
        *std::find_if(Schema::tables().begin(), Schema::tables().end(),
                      [&](const Schema::Table& candidate) { return candidate.name == tableName; });
    std::optional<ImportLayout> layout;
    try {
        layout.emplace(table, map);
    } catch (const DbError& failure) {
        throw CLI::ValidationError("--map", failure.what());
    }
    const CsvImport::Outcome outcome = CsvImport::import(path, *layout, file,
                                                         sign.empty()  ? CsvImport::Sign::Any
                                                         : sign == "+" ? CsvImport::Sign::Credits
                                                                       : CsvImport::Sign::Debits);
    if (!outcome.problems.empty()) {
        return refused(outcome.problems, "nothing was imported");
    }
    std::printf("Imported %lld record%s into %s from %s\n", outcome.imported,
                outcome.imported == 1 ? "" : "s", tableName.c_str(), file.c_str());
    if (outcome.leftOut > 0) {
        std::printf("Left out %lld row%s whose amount has the other sign\n", outcome.leftOut,
                    outcome.leftOut == 1 ? "" : "s");
    }
    return 0;
}

int upgrade(const std::string& oldPath, const std::string& newPath, bool renumber) {
    const BookUpgrade::Outcome outcome = BookUpgrade::upgrade(oldPath, newPath, renumber);
    if (!outcome.refused.empty()) {
        return refused(outcome.refused, "nothing was written");
    }
    printLines(outcome.renumbered);
    std::printf("Upgraded %s into the new book %s\n", oldPath.c_str(), newPath.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine line("orvella-db",
                     "Creates, checks, backs up, restores, exports, imports and upgrades an Orvella book.",
                     ORVELLA_VERSION);
    // One command runs: those that read a book and write a file or folder share these.
    std::string book;
    std::string target;
    bool renumber = false;

    CLI::App& creating = line.command("create", "make a new, empty book", [&] { return create(book); });
    line.fileName(creating, "PATH", book, "where to make it; never over an existing file");

    CLI::App& checking =
        line.command("check", "print \"ok\", or each problem the book has", [&] { return check(book); });
    line.fileName(checking, "PATH", book, "the book: its file, tables and every record");

    std::string folder;
    int keep = kBackupsKept;
    CLI::App& backingUp = line.command("backup", "copy the book, safely even while Orvella runs", [&] {
        if (target.empty() == folder.empty()) {
            throw CLI::ValidationError("give either DEST or --to DIR");
        }
        return folder.empty() ? backup(book, target) : backupInto(book, folder, keep);
    });
    line.fileName(backingUp, "PATH", book, "the book");
    line.fileName(backingUp, "DEST", target, "the copy to make; never over an existing file")
        ->required(false);
    line.fileName(backingUp, "--to", folder,
                  "or a folder (made when absent) for a dated copy, <book name>-<UTC time>.mdb")
        ->required(false)
        ->type_name("DIR");
    backingUp.add_option("--keep", keep, "keep this book's newest N copies in DIR (default 14)")
        ->type_name("N")
        ->check(CLI::Range(1, std::numeric_limits<int>::max()).description(""))
        ->needs("--to");

    CLI::App& restoring = line.command("restore", "put a backup in place of the book, Orvella closed",
                                       [&] { return restore(target, book); });
    line.fileName(restoring, "BACKUP", target, "the copy to restore; it is checked first and left as it is");
    line.fileName(restoring, "BOOK", book,
                  "the book it replaces, kept beside it as <name>-before-restore-...");

    CLI::App& exporting = line.command("export", "write the book's tables as CSV files into DIR",
                                       [&] { return exportCsv(book, target); });
    line.fileName(exporting, "PATH", book, "the book");
    line.fileName(exporting, "DIR", target, "where GMaster.csv, Income.csv, Expenses.csv go");

    CLI::App& upgrading = line.command("upgrade", "copy a book Orvella refuses into a new book",
                                       [&] { return upgrade(book, target, renumber); });
    line.fileName(upgrading, "OLD", book, "the book Orvella refuses; it is never changed");
    line.fileName(upgrading, "NEW", target, "the new book, with the tables Orvella needs");
    upgrading.add_flag("--renumber", renumber, "give each record with a taken number a free one");

    std::string table;
    std::string file;
    std::vector<std::string> map;
    std::string sign;
    CLI::App& importing = line.command(
        "import", "add the records of a CSV file to a table: all, or none",
        [&] { return import(book, table, file, map, sign); }, std::string(ImportLayout::kHelp));
    line.fileName(importing, "BOOK", book, "the book; Orvella must be closed");
    importing.add_option("TABLE", table, "GMaster, Income or Expenses")
        ->required()
        ->type_name("")
        ->check(CLI::IsMember({"GMaster", "Income", "Expenses"}).description(""));
    line.fileName(importing, "FILE", file, "the CSV file, as export writes it unless --map says otherwise");
    importing.add_option("--map", map, "how another program's file is laid out (below)")
        ->type_name("KEY=VALUE");
    importing.add_option("--sign", sign, "take only the rows whose amount has this sign")
        ->type_name("+|-")
        ->check(CLI::IsMember({"+", "-"}).description(""));

    try {
        return line.run(argc, argv);
    } catch (const DbError& failure) {
        std::fprintf(stderr, "orvella-db: %s\n", failure.what());
        return 1;
    }
}

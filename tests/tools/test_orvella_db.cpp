// orvella-db as a user meets it in a shell.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "data/BookLock.h"
#include "data/ConnectionString.h"
#include "data/DbError.h"
#include "tests/datasupport/StoredText.h"
#include "tests/datasupport/TempDatabase.h"
#include "tools/CsvExport.h"
#include "tools/StampedName.h"

namespace fs = std::filesystem;

namespace {

struct CommandResult {
    int status;
    std::string output;
};

// Runs a shell command line, its errors in its output unless the line sends them elsewhere.
CommandResult run(const std::string& line) {
    CommandResult result{-1, {}};
    if (FILE* pipe = popen(("(" + line + ") 2>&1").c_str(), "r")) {
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
            result.output += buffer;
        }
        const int raw = pclose(pipe);
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    return result;
}

const std::string kTool = ORVELLA_DB_TOOL " ";

// Each file in the folder with its bytes (a book by size and hash): what a command must leave as it was.
std::map<fs::path, std::string> snapshot(const fs::path& folder) {
    std::map<fs::path, std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        std::stringstream read;
        read << std::ifstream(entry.path(), std::ios::binary).rdbuf();
        const std::string bytes = read.str();
        found[entry.path()] = entry.is_directory()  ? "folder"
                              : bytes.size() < 1024 ? bytes
                                                    : std::to_string(bytes.size()) + " bytes, hash " +
                                                          std::to_string(std::hash<std::string>{}(bytes));
    }
    return found;
}

constexpr const char* kNoKeyMaster =
    "DROP TABLE GMaster; CREATE TABLE GMaster (SrNo INTEGER, GName TEXT, GType TEXT);"
    "INSERT INTO GMaster VALUES(1,'Salary','2'),(2,'Rent','1'),(1,'Food','1');";
// Each column declared TEXT: Max gave '9' over '10', so a second record got number 10.
constexpr const char* kTextTypedIncome =
    "DROP TABLE Income; CREATE TABLE Income (SrNo TEXT, IncDate TEXT, IncSource TEXT, IncAmount TEXT, "
    "IncDescription TEXT); INSERT INTO Income VALUES('9','2024-01-09','Salary','1500','nine'),"
    "('10','2024-01-10','Salary','12.5','ten'),('10','2024-01-11','Salary','7','ten again');";
constexpr const char* kJanuary = "INSERT INTO Income VALUES(1,'2024-01-05','Salary',1500,'January')";
// An index that no longer matches its table, as damage leaves it.
constexpr const char* kDamagedIndex =
    "INSERT INTO Income VALUES(1,'2024-01-05','Salary',1500,'January'); CREATE INDEX Damaged ON "
    "Income(IncSource);"
    "PRAGMA writable_schema=ON; UPDATE sqlite_schema SET sql='CREATE INDEX Damaged ON "
    "Income(IncDescription)' "
    "WHERE name='Damaged'";

struct Command {
    std::string before;     // statements run on the book first, behind the program's back
    std::string arguments;  // run in the book's folder
    int status;
    std::string printed;     // the whole output, or (not ending in a line feed) a part of it
    std::string made = {};   // the book the command makes or changes; nothing else in the folder may change
    std::string table = {};  // that book's table and the rows it then holds
    std::string rows = {};
    std::string csv = {};  // what mine/in.csv holds
};

void PrintTo(const Command& command, std::ostream* out) {
    *out << "orvella-db " << command.arguments;
}

class OrvellaDb : public testing::TestWithParam<Command> {};

// Beside the book lies the user's own mine/GMaster.csv; the program's connection to the book stays open.
TEST_P(OrvellaDb, DoesWhatItSaysAndWritesNothingElse) {
    const Command& c = GetParam();
    TempDatabase db;
    runBehind(db.path(), c.before);
    const fs::path folder = db.folder() / "Database";
    fs::create_directory(folder / "mine");
    std::ofstream(folder / "mine" / "GMaster.csv") << "mine";
    std::ofstream(folder / "mine" / "in.csv", std::ios::binary) << c.csv;
    auto before = snapshot(folder);

    const CommandResult result = run("cd " + folder.string() + " && " + kTool + c.arguments);

    if (c.printed.ends_with('\n')) {
        EXPECT_EQ(result.output, c.printed);
    } else {
        EXPECT_NE(result.output.find(c.printed), std::string::npos) << result.output;
    }
    EXPECT_EQ(result.status, c.status) << result.output;
    auto after = snapshot(folder);
    if (!c.made.empty()) {
        const std::string made = (folder / c.made).string();
        ASSERT_EQ(after.erase(made), 1u);
        before.erase(made);
        EXPECT_EQ(run(kTool + "check " + made).output, "ok\n");
        Connection opened;
        opened.Open(std::string(ConnectionString::kProvider) + made);
        EXPECT_EQ(rowsOf(opened, "Select * from " + c.table + " order by SrNo"), c.rows);
    }
    EXPECT_EQ(after, before);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, OrvellaDb,
    testing::Values(
        Command{"", "create new.mdb", 0, "Created the empty database", "new.mdb", "Income", ""},
        Command{"", "create Database.mdb", 1, "already exists"},
        // Help and the version on standard output; what is wrong with a command line on standard error.
        Command{"", "--help 2>/dev/null", 0,
                "  create PATH                   make a new, empty book\n"
                "  check PATH                    print \"ok\", or each problem the book has\n"
                "  backup PATH [DEST] [--to DIR] [--keep N]\n"
                "                                copy the book, safely even while Orvella runs\n"
                "  restore BACKUP BOOK           put a backup in place of the book, Orvella closed\n"
                "  export PATH DIR               write the book's tables as CSV files into DIR\n"
                "  upgrade OLD NEW [--renumber]  copy a book Orvella refuses into a new book"},
        Command{"", "check --help 2>/dev/null", 0, "Usage: orvella-db check PATH"},
        Command{"", "--version 2>/dev/null", 0, "orvella-db " ORVELLA_VERSION "\n"},
        Command{"", ">/dev/null", 2, "give a command"},
        Command{"", "drop x >/dev/null", 2, "'drop' is not a command"},
        Command{"", "backup Database.mdb >/dev/null", 2,
                "orvella-db backup: give either DEST or --to DIR\n"
                "Usage: orvella-db backup PATH [DEST] [--to DIR] [--keep N]\n"
                "Run 'orvella-db backup --help' for more information.\n"},
        Command{"", "backup Database.mdb copy.mdb --keep 2", 2, "--keep requires --to"},
        Command{"", "check Database.mdb x", 2, "not expected: x"},
        Command{"", "check -x", 2, "there is no option -x; for a file of that name write ./-x"},
        // An unset variable in a script, or a name the engine takes for a memory database or a URI.
        Command{"", "create ''", 1, "file name"}, Command{"", "create ':memory:'", 1, "file name"},
        Command{"", "backup Database.mdb 'file:x?mode=memory'", 1, "file name"},
        Command{kJanuary, "backup Database.mdb copy.mdb", 0, "Backed up", "copy.mdb", "Income",
                "1|2024-01-05|Salary|1500|January\n"},
        Command{"", "backup Database.mdb mine/GMaster.csv", 1, "already exists"},
        Command{"", "backup none.mdb copy.mdb", 1, "no such file"},
        Command{"", "restore mine/GMaster.csv Database.mdb", 1, "nothing was restored"},
        Command{kDamagedIndex, "backup Database.mdb --to mine", 1,
                "the copy fails the integrity check: row 1 missing from index Damaged; no copy was removed."},
        Command{"", "export Database.mdb mine", 1, "already exists"},
        Command{"", "check Database.mdb", 0, "ok\n"},
        Command{"", "check mine/GMaster.csv", 1, "not a database"},
        Command{"", "check absent.mdb", 1, "no such file"},
        Command{"DROP TABLE Income", "check Database.mdb", 1, "The table Income is missing.\n"},
        // Tables the program would refuse, and records it could not load.
        Command{
            std::string(kNoKeyMaster) +
                "UPDATE GMaster SET GType='3' WHERE GName='Rent'; INSERT INTO Income VALUES(1,'1752-09-13',"
                "NULL,'abc','x'); DROP TABLE Expenses; CREATE TABLE Expenses (SrNo INTEGER PRIMARY KEY, "
                "ExpDate, ExpCategory TEXT, ExpAmount REAL, ExpDescription TEXT); INSERT INTO Expenses "
                "VALUES(1,'05/04/2008','Rent',1,'x'),(2,'9999-12-31','Rent',0.00001,NULL)",
            "check Database.mdb", 1,
            "In the table GMaster, SrNo is not the INTEGER PRIMARY KEY, so a record number can be stored "
            "twice.\nThe column Expenses.ExpDate is declared without a type; the program needs DATE.\n"
            "GMaster record 2: GType '3' is neither '1' nor '2'.\n"
            "GMaster record 1: the number is used by 2 records.\n"
            "Income record 1: IncDate 1752-09-13 is outside the days the date box shows (1752-09-14 to "
            "9999-12-31).\nIncome record 1: IncSource is null.\nIncome record 1: IncAmount 'abc' is not a "
            "number.\nExpenses record 1: ExpDate '05/04/2008' is not a date written yyyy-MM-dd.\n"
            "Expenses record 2: ExpAmount 1.0e-05 is not an amount the amount box holds (0 or more, at "
            "most 11 digits before the point and 4 after it).\nExpenses record 2: ExpDescription is "
            "null.\n"},
        Command{
            kNoKeyMaster, "upgrade Database.mdb new.mdb", 1,
            "GMaster record 1: the number is taken by an earlier record (--renumber gives it the next free "
            "number).\norvella-db: nothing was written"},
        Command{kNoKeyMaster, "upgrade Database.mdb new.mdb --renumber", 0,
                "GMaster record 1 -> 3\nUpgraded Database.mdb into the new book new.mdb\n", "new.mdb",
                "GMaster", "1|Salary|2\n2|Rent|1\n3|Food|1\n"},
        Command{kTextTypedIncome, "upgrade Database.mdb new.mdb --renumber", 0,
                "Income record 10 -> 11\nUpgraded Database.mdb into the new book new.mdb\n", "new.mdb",
                "Income",
                "9|2024-01-09|Salary|1500|nine\n10|2024-01-10|Salary|12.5|ten\n11|2024-01-11|Salary|7|ten "
                "again\n"},
        Command{"INSERT INTO Income VALUES(1,'2024-01-05','Salary','abc','x')",
                "upgrade Database.mdb new.mdb --renumber", 1,
                "Income record 1: IncAmount 'abc' is not a number.\norvella-db: nothing was written"},
        Command{"", "upgrade Database.mdb mine/GMaster.csv", 1, "already exists"},
        // Numbers given after the largest in the book or the file, in the file's order; every character kept.
        Command{
            kJanuary, "import Database.mdb Income mine/in.csv", 0, "Imported 3 records", "Database.mdb",
            "Income",
            "1|2024-01-05|Salary|1500|January\n5|2024-03-01|x|0|\n6|2024-02-01| Salary |12.5|a,\"b\"\r\nc\n"
            "7|2024-04-01|y|99999999999.9999|z\n",
            "IncDescription,IncAmount,IncSource,IncDate,SrNo\r\n\"a,\"\"b\"\"\r\nc\",12.5, Salary "
            ",2024-02-01,\r\n"
            ",0,x,2024-03-01,5\r\nz,99999999999.9999,y,2024-04-01,\r\n"},
        // Every row is checked before anything is written.
        Command{
            kJanuary,
            "import Database.mdb Income mine/in.csv",
            1,
            "line 2: record number 1 is in the book already; import never replaces a record.\n"
            "line 3: IncDate '1900-02-29' is not a day written yyyy-MM-dd.\n"
            "line 3: IncAmount '-1' is not an amount the amount box holds (0 or more, at most 11 digits "
            "before "
            "the decimal mark and 4 after it).\n"
            "line 4: IncAmount '1.00001' is not an amount the amount box holds (0 or more, at most 11 digits "
            "before the decimal mark and 4 after it).\n"
            "line 7: the row has 4 fields, the header 5.\n"
            "line 9: record number 4 is on line 6 too.\n"
            "orvella-db: nothing was imported, for the reasons listed above.\n",
            {},
            {},
            {},
            "SrNo,IncDate,IncSource,IncAmount,IncDescription\n1,2024-01-05,S,1,d\n,1900-02-29,S,-1,d\n"
            ",2024-02-03,S,1.00001,\"two\nlines\"\n4,2024-02-03,S,1,d\n9,2024-02-03,S,1\n\n4,2024-01-01,S,1,"
            "d\n"},
        Command{"",
                "import Database.mdb GMaster mine/in.csv",
                1,
                "line 2: GType '3' is neither '1' nor '2'.",
                {},
                {},
                {},
                "GName,GType\nRent,3\n"},
        Command{"",
                "import Database.mdb GMaster mine/in.csv",
                1,
                "line 3 is not CSV",
                {},
                {},
                {},
                "GName,GType\nRent,1\n\"Food,1\n"},
        // A bank statement's debits: its own header, separator, decimal mark and dates, and a byte-order
        // mark.
        Command{
            "",
            "import Database.mdb Expenses mine/in.csv --map date=Booked --map date-format=dd/MM/yyyy --map "
            "text=3 --map particulars=Purpose --map amount=Amount --map 'separator=;' --map decimal=, --sign "
            "-",
            0,
            "Imported 2 records into Expenses from mine/in.csv\nLeft out 1 row whose amount has the other "
            "sign\n",
            "Database.mdb", "Expenses",
            "1|2024-03-01|Landlord, Ltd|1234.5|Rent; March\r\nflat 2\n2|2024-02-29|Shop|3|He said \"hi\"\n",
            "\xEF\xBB\xBF"
            "Amount;Purpose;Payee;Booked;Balance\r\n-1.234,50;\"Rent; March\r\nflat "
            "2\";\"Landlord, Ltd\";"
            "01/03/2024;100,00\r\n1500,00;Salary;Employer;28/02/2024;112,50\r\n-3;\"He said "
            "\"\"hi\"\"\";Shop;"
            "29/02/2024;0\r\n"},
        Command{"", "import Database.mdb Income mine/in.csv --map kind=2", 2,
                "kind is not a key for Income"}));

// The disk fills up inside Income.csv, into two folders the export makes, then into the user's own folder
// holding a file: nothing of the export is left, and the same command then writes RFC 4180 CSV.
TEST(OrvellaDbExport, LeavesNothingOnAFullDiskThenWritesRfc4180Csv) {
    TempDatabase db;
    auto& c = db.connection();
    c.Execute("Insert Into GMaster values(1,'Salary','2')");
    c.Execute(
        "Insert Into Income values(2,'2024-01-05','Salary, bonus',12.5,'He said \"hi\"\r\nthen ₹ left')");
    c.Execute("Insert Into Income values(1,NULL,'Rent',0,NULL)");
    const fs::path own = db.folder() / "own";
    fs::create_directory(own);
    std::ofstream(own / "notes.txt") << "mine";
    for (const fs::path& folder : {db.folder() / "made" / "csv", own}) {
        const auto before = snapshot(db.folder());
        int writes = 0;
        const auto fullDisk = [&writes](std::FILE* file, std::string_view bytes) {
            return ++writes < 3 ? CsvExport::writeToFile(file, bytes)
                                : std::make_error_code(std::errc::no_space_on_device);
        };
        try {
            CsvExport::exportTables(db.path(), folder.string(), fullDisk);
            ADD_FAILURE() << "the export went through a full disk";
        } catch (const DbError& failure) {
            EXPECT_NE(std::string(failure.what()).find("No space left on device"), std::string::npos)
                << failure.what();
        }
        EXPECT_EQ(snapshot(db.folder()), before) << folder;

        ASSERT_EQ(run(kTool + "export " + db.path() + " " + folder.string()).status, 0);
        const auto files = snapshot(folder);
        EXPECT_EQ(files.at(folder / "GMaster.csv"), "SrNo,GName,GType\r\n1,Salary,2\r\n");
        EXPECT_EQ(files.at(folder / "Income.csv"),
                  "SrNo,IncDate,IncSource,IncAmount,IncDescription\r\n"
                  "1,,Rent,0,\r\n"
                  "2,2024-01-05,\"Salary, bonus\",12.5,\"He said \"\"hi\"\"\r\nthen ₹ left\"\r\n");
        EXPECT_EQ(files.at(folder / "Expenses.csv"), "SrNo,ExpDate,ExpCategory,ExpAmount,ExpDescription\r\n");
    }
}

// Copies made in the same second are named in the order made; --keep removes only this book's oldest copies,
// once the new one is in place. One of them then replaces a damaged book.
TEST(OrvellaDbBackup, KeepsTheNewestCopiesOfThisBookAndRestoresOne) {
    TempDatabase db;
    db.connection().Execute(kJanuary);
    const fs::path copies = db.folder() / "Backups";
    fs::create_directory(copies);
    std::set<std::string> left = {"Database-2020-01-01T000000Z-0.mdb", "Other-2020-01-01T000000Z.mdb",
                                  "Database-before-restore-2020-01-01T000000Z.mdb"};
    for (const auto& name : left) {
        std::ofstream(copies / name) << "not a copy of this book";
    }
    std::ofstream(copies / "Database-2020-01-01T000000Z.mdb") << "its oldest copy";
    std::vector<std::string> made;
    for (int i = 0; i < 3; ++i) {
        const CommandResult result =
            run(kTool + "backup " + db.path() + " --to " + copies.string() + " --keep 2");
        ASSERT_EQ(result.status, 0) << result.output;
        const std::size_t end = result.output.find(", checked\n");
        const std::size_t start = result.output.rfind('/', end) + 1;
        made.push_back(result.output.substr(start, end - start));
        EXPECT_EQ(run(kTool + "check " + (copies / made.back()).string()).output, "ok\n");
    }
    EXPECT_LT(StampedName::age(made[0], "Database"), StampedName::age(made[1], "Database"));
    EXPECT_LT(StampedName::age(made[1], "Database"), StampedName::age(made[2], "Database"));
    left.insert({made[1], made[2]});
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(copies)) {
        found.insert(entry.path().filename().string());
    }
    EXPECT_EQ(found, left);

    // The newest copy restored over a book that lost its record: never while a program works on the book, nor
    // an import.
    db.connection().Execute("Delete from Income");
    db.connection().Close();
    const std::string restore = kTool + "restore " + (copies / made[2]).string() + " " + db.path();
    std::ofstream(db.folder() / "in.csv") << "IncDate,IncSource,IncAmount\n2024-01-01,x,1\n";
    BookLock program;
    ASSERT_EQ(program.take(db.path()), BookLock::Outcome::Taken);
    const auto before = snapshot(db.folder());
    for (const std::string& line :
         {restore, kTool + "import " + db.path() + " Income " + db.folder().string() + "/in.csv"}) {
        const CommandResult refused = run(line);
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE(refused.output.find("Orvella is working on"), std::string::npos) << refused.output;
    }
    EXPECT_EQ(snapshot(db.folder()), before);
    program.release();
    const CommandResult restored = run(restore);
    EXPECT_EQ(restored.status, 0) << restored.output;
    const std::string kept = restored.output.substr(restored.output.rfind(' ') + 1);
    EXPECT_EQ(snapshot(db.folder()).size(), before.size());  // the lock gone, the book as it was beside it
    Connection opened;
    for (const auto& [book, rows] :
         {std::pair(db.path(), "1|2024-01-05|Salary|1500|January\n"),
          std::pair((db.folder() / "Database" / kept.substr(0, kept.size() - 1)).string(), "")}) {
        opened.Open(std::string(ConnectionString::kProvider) + book);
        EXPECT_EQ(rowsOf(opened, "Select * from Income"), rows) << book;
    }
}

// Whatever a book that passes check holds comes back exactly through export and import into a new book,
// line breaks of each kind (CR LF, LF alone, CR alone) too.
TEST(OrvellaDbImport, GivesBackTheExportedBook) {
    TempDatabase db;
    runBehind(db.path(),
              "INSERT INTO GMaster VALUES(1,' Salary ','2'),(2,'a,b \"q\"\t\r\n','1');"
              "INSERT INTO Income VALUES(3,'2024-01-05',' x','1500.5','two\nlines'),"
              "(9,'9999-12-31','',0.10000000000000002,' ');"
              "INSERT INTO Expenses VALUES(4,'1752-09-14','Rent',99999999999.9999,'\xC3\xA9\rlast')");
    ASSERT_EQ(run(kTool + "check " + db.path()).output, "ok\n");
    const std::string fresh = (db.folder() / "fresh.mdb").string();
    std::string line =
        kTool + "create " + fresh + " && " + kTool + "export " + db.path() + " " + db.folder().string();
    for (const char* table : {"GMaster", "Income", "Expenses"}) {
        line +=
            " && " + kTool + "import " + fresh + " " + table + " " + (db.folder() / table).string() + ".csv";
    }
    ASSERT_EQ(run(line).status, 0);
    Connection imported;
    imported.Open(std::string(ConnectionString::kProvider) + fresh);
    for (const char* query :
         {"Select *, typeof(GName) from GMaster", "Select *, printf('%!.17g', IncAmount) from Income",
          "Select *, printf('%!.17g', ExpAmount) from Expenses"}) {
        EXPECT_EQ(rowsOf(imported, query), rowsOf(db.connection(), query));
    }
}

// A program that stops in the middle of a long write, once the engine has put changed pages into the file
// and their old contents into the journal beside it: what a crash leaves.
void leaveUnfinishedWrite(const std::string& path) {
    const pid_t child = fork();
    if (child == 0) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(
            db,
            "PRAGMA cache_size=10; BEGIN; WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i+1 FROM n "
            "WHERE i<2000) INSERT INTO Income SELECT i,'2024-02-01','Lost',1,hex(zeroblob(1000)) FROM n",
            nullptr, nullptr, nullptr);
        _exit(0);
    }
    waitpid(child, nullptr, 0);
}

// The command line run by someone who may read the book but not write it (root writes every file: nobody).
std::string withoutWriting(const TempDatabase& db, const std::string& line) {
    if (geteuid() != 0) {
        fs::permissions(db.path(), fs::perms::owner_read);
        return line;
    }
    fs::permissions(db.folder(), fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    return "setpriv --reuid=nobody --regid=nogroup --clear-groups " + line;
}

TEST(OrvellaDbAfterACrash, RollsTheUnfinishedWriteBackThenDoesTheCommand) {
    for (const auto& [command, writable, shown] : std::vector<std::tuple<std::string, bool, std::string>>{
             {"check", true, "ok"},
             {"backup", true, "Backed up"},
             {"export", true, "Exported"},
             {"export", false, "holds an unfinished write"}}) {
        TempDatabase db;
        db.connection().Execute(kJanuary);
        db.connection().Close();
        leaveUnfinishedWrite(db.path());
        ASSERT_TRUE(fs::exists(db.path() + "-journal"));
        const fs::path out = db.folder() / "out";
        const std::string line =
            kTool + command + " " + db.path() + (command == "check" ? "" : " " + out.string());
        const CommandResult result = run(writable ? line : withoutWriting(db, line));
        EXPECT_EQ(result.status, writable ? 0 : 1) << command << result.output;
        EXPECT_NE(result.output.find(shown), std::string::npos) << result.output;
        EXPECT_EQ(fs::exists(db.path() + "-journal"), !writable);
        EXPECT_EQ(fs::exists(out), writable && command != "check");
    }
}

}  // namespace

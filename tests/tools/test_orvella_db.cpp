// orvella-db as a user meets it in a shell, and the build's database supply.
#include <gtest/gtest.h>

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <tuple>

#include "data/ConnectionString.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "data/SqliteHandles.h"
#include "tests/datasupport/TempDatabase.h"
#include "tools/CsvExport.h"

namespace fs = std::filesystem;

namespace {

struct CommandResult {
    int status;
    std::string output;
};

CommandResult run(const std::string& command) {
    CommandResult result{-1, {}};
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
        result.output += buffer;
    }
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

std::string contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::string quoted(const std::string& path) {
    return "'" + path + "'";
}

std::set<fs::path> everythingIn(const fs::path& folder) {
    return {fs::recursive_directory_iterator(folder), fs::recursive_directory_iterator()};
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

// The command run by someone who may read the book but not write it (root writes every file: nobody runs it).
std::string withoutWriting(const TempDatabase& db, const std::string& command) {
    if (geteuid() != 0) {
        fs::permissions(db.path(), fs::perms::owner_read);
        return command;
    }
    fs::permissions(db.folder(), fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    return "setpriv --reuid=nobody --regid=nogroup --clear-groups " + command;
}

TEST(OrvellaDbCreate, MakesTheThreeTablesWhichTheProgramOpens) {
    TempDatabase scratch;
    const std::string path = (scratch.folder() / "new.mdb").string();
    const CommandResult created = run(std::string(ORVELLA_DB_TOOL) + " create " + quoted(path));
    ASSERT_EQ(created.status, 0) << created.output;
    Connection connection;
    connection.Open(std::string(ConnectionString::kProvider) + path);
    for (const char* table : {"GMaster", "Income", "Expenses"}) {
        Recordset rs;
        rs.Open(std::string("Select count(*) from ") + table, connection, Recordset::adOpenStatic,
                Recordset::adLockBatchOptimistic);
        EXPECT_EQ(rs.Fields(0).toInt64(), 0) << table;
    }
}

TEST(OrvellaDbCreate, RefusesAnExistingFileAndNamesThatAreNoFile) {
    TempDatabase db;
    db.connection().Execute("Insert Into GMaster(SrNo,GName,GType) values(1,'Salary','2')");
    db.connection().Close();
    const std::string before = contents(db.path());
    const CommandResult refused = run(std::string(ORVELLA_DB_TOOL) + " create " + quoted(db.path()));
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.output.find("already exists"), std::string::npos) << refused.output;
    EXPECT_EQ(contents(db.path()), before);

    EXPECT_EQ(run(std::string(ORVELLA_DB_TOOL)).status, 2);
    EXPECT_EQ(run(std::string(ORVELLA_DB_TOOL) + " drop x").status, 2);

    // An unset variable in a script, or a name the engine takes for a memory database or a URI.
    const std::string book = quoted(db.path());
    for (const std::string& arguments : std::vector<std::string>{
             "create ''", "create ':memory:'", "backup " + book + " ''", "backup " + book + " ':memory:'",
             "backup " + book + " 'file:x?mode=memory'"}) {
        const CommandResult special = run(std::string(ORVELLA_DB_TOOL) + " " + arguments);
        EXPECT_EQ(special.status, 1) << arguments;
        EXPECT_NE(special.output.find("file name"), std::string::npos) << special.output;
    }
}

TEST(DatabaseSupply, MadeWhenAbsentNeverReplacedWhenPresent) {
    TempDatabase scratch;
    const fs::path program = scratch.folder() / "bin";
    const std::string database = (program / "Database" / "Database.mdb").string();
    const std::string supply = std::string(ORVELLA_CMAKE) + " -DORVELLA_DB_TOOL=" + ORVELLA_DB_TOOL +
                               " -DORVELLA_DATABASE=" + quoted(database) + " -P " + ORVELLA_SUPPLY_SCRIPT;
    ASSERT_EQ(run(supply).status, 0);
    ASSERT_TRUE(fs::exists(database));

    Connection connection;
    connection.Open(ConnectionString::forProgramFolder(program.string()));
    connection.Execute("Insert Into Income values(1,'2024-01-05','Salary',1500,'January')");
    connection.Close();
    const std::string withData = contents(database);

    const CommandResult again = run(supply);
    EXPECT_EQ(again.status, 0) << again.output;
    EXPECT_EQ(contents(database), withData);
}

// A fresh book spoilt by statements run behind the program's back, as another tool would.
void spoil(TempDatabase& db, const char* statements) {
    db.connection().Close();
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(db.path().c_str(), &raw), SQLITE_OK);
    const SqliteDb handle(raw);
    ASSERT_EQ(sqlite3_exec(raw, statements, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(raw);
}

// Each row's fields in their plain text form joined by '|', one line a row, in record-number order.
std::string rowsOf(Connection& connection, const std::string& table) {
    Recordset rs;
    rs.Open("Select * from " + table + " order by SrNo", connection, Recordset::adOpenStatic,
            Recordset::adLockBatchOptimistic);
    std::string rows;
    for (; !rs.Eof(); rs.MoveNext()) {
        for (std::size_t i = 0; i < rs.fieldCount(); ++i) {
            rows += (i > 0 ? "|" : "") + rs.Fields(i).toText();
        }
        rows += "\n";
    }
    return rows;
}

constexpr const char* kNoKeyMaster =
    "DROP TABLE GMaster; CREATE TABLE GMaster (SrNo INTEGER, GName TEXT, GType TEXT);"
    "INSERT INTO GMaster VALUES(1,'Salary','2'),(2,'Rent','1'),(1,'Food','1');";
// Each column declared TEXT: Max gave '9' over '10', so a second record got number 10.
constexpr const char* kTextTypedIncome =
    "DROP TABLE Income; CREATE TABLE Income (SrNo TEXT, IncDate TEXT, IncSource TEXT, IncAmount TEXT, "
    "IncDescription TEXT); INSERT INTO Income VALUES('9','2024-01-09','Salary','1500','nine'),"
    "('10','2024-01-10','Salary','12.5','ten'),('10','2024-01-11','Salary','7','ten again');";

TEST(OrvellaDbCheck, SaysOkOrNamesEachProblem) {
    // How the book is spoilt, and what check prints.
    const std::pair<std::string, std::string> books[] = {
        {"", "ok\n"},
        {"DROP TABLE Income", "The table Income is missing.\n"},
        {std::string(kNoKeyMaster) + "UPDATE GMaster SET GType='3' WHERE GName='Rent'",
         "In the table GMaster, SrNo is not the INTEGER PRIMARY KEY, so a record number can be stored "
         "twice.\n"
         "GMaster record 2: GType '3' is neither '1' nor '2'.\n"
         "GMaster record 1: the number is used by 2 records.\n"},
        {"INSERT INTO Income VALUES(1,'1752-09-13',NULL,'abc','x');"
         "INSERT INTO Expenses VALUES(2,'9999-12-31','Rent',0.00001,NULL)",
         "Income record 1: IncDate 1752-09-13 is outside the days the date box shows (1752-09-14 to "
         "9999-12-31).\nIncome record 1: IncSource is null.\nIncome record 1: IncAmount 'abc' is not a "
         "number.\n"
         "Expenses record 2: ExpAmount 1.0e-05 is not an amount the amount box holds (0 or more, at most 11 "
         "digits before the point and 4 after it).\nExpenses record 2: ExpDescription is null.\n"},
        {"DROP TABLE Expenses; CREATE TABLE Expenses (SrNo INTEGER PRIMARY KEY, ExpDate, ExpCategory TEXT, "
         "ExpAmount REAL, ExpDescription TEXT); INSERT INTO Expenses VALUES(1,'05/04/2008','Rent',1,'x')",
         "The column Expenses.ExpDate is declared without a type; the program needs DATE.\n"
         "Expenses record 1: ExpDate '05/04/2008' is not a date written yyyy-MM-dd.\n"},
    };
    for (const auto& [statements, printed] : books) {
        TempDatabase db;
        spoil(db, statements.c_str());
        const CommandResult checked = run(std::string(ORVELLA_DB_TOOL) + " check " + quoted(db.path()));
        EXPECT_EQ(checked.output, printed) << statements;
        EXPECT_EQ(checked.status, printed == "ok\n" ? 0 : 1) << statements;
    }

    TempDatabase db;
    const std::string garbage = (db.folder() / "garbage.mdb").string();
    std::ofstream(garbage) << std::string(5000, 'z');
    const CommandResult notDatabase = run(std::string(ORVELLA_DB_TOOL) + " check " + quoted(garbage));
    EXPECT_EQ(notDatabase.status, 1);
    EXPECT_NE(notDatabase.output.find("not a database"), std::string::npos) << notDatabase.output;

    const std::string absent = (db.folder() / "absent.mdb").string();
    EXPECT_EQ(run(std::string(ORVELLA_DB_TOOL) + " check " + quoted(absent)).status, 1);
    EXPECT_FALSE(fs::exists(absent));
}

TEST(OrvellaDbUpgrade, CarriesEveryRecordIntoABookTheProgramOpensOrWritesNothing) {
    struct Case {
        const char* statements;
        const char* options;
        std::string printed;  // before the closing line of a successful upgrade
        std::string table;
        std::string rows;  // the table in the new book; empty when nothing may be written
    };
    const Case cases[] = {
        {kNoKeyMaster, "",
         "GMaster record 1: the number is taken by an earlier record (--renumber gives it the next free "
         "number).\norvella-db: nothing was written, for the reasons listed above.\n",
         "GMaster", ""},
        {kNoKeyMaster, " --renumber", "GMaster record 1 -> 3\n", "GMaster",
         "1|Salary|2\n2|Rent|1\n3|Food|1\n"},
        {kTextTypedIncome, " --renumber", "Income record 10 -> 11\n", "Income",
         "9|2024-01-09|Salary|1500|nine\n10|2024-01-10|Salary|12.5|ten\n11|2024-01-11|Salary|7|ten again\n"},
        {"INSERT INTO Income VALUES(1,'2024-01-05','Salary','abc','x')", " --renumber",
         "Income record 1: IncAmount 'abc' is not a number.\n"
         "orvella-db: nothing was written, for the reasons listed above.\n",
         "Income", ""},
    };
    for (const auto& c : cases) {
        TempDatabase db;
        spoil(db, c.statements);
        const std::string before = contents(db.path());
        const std::string fresh = (db.folder() / "Database" / "New.mdb").string();
        const CommandResult upgraded = run(std::string(ORVELLA_DB_TOOL) + " upgrade " + quoted(db.path()) +
                                           " " + quoted(fresh) + c.options);
        const std::string closing = "Upgraded " + db.path() + " into the new book " + fresh + "\n";
        EXPECT_EQ(upgraded.output, c.printed + (c.rows.empty() ? "" : closing)) << c.statements;
        EXPECT_EQ(contents(db.path()), before);
        if (c.rows.empty()) {
            EXPECT_EQ(upgraded.status, 1);
            EXPECT_EQ(everythingIn(db.folder() / "Database"), std::set<fs::path>{db.path()});
            continue;
        }
        ASSERT_EQ(upgraded.status, 0);
        EXPECT_EQ(run(std::string(ORVELLA_DB_TOOL) + " check " + quoted(fresh)).output, "ok\n");
        Connection connection;
        connection.Open(std::string(ConnectionString::kProvider) + fresh);
        EXPECT_EQ(rowsOf(connection, c.table), c.rows);
        connection.Close();
        const CommandResult again =
            run(std::string(ORVELLA_DB_TOOL) + " upgrade " + quoted(db.path()) + " " + quoted(fresh));
        EXPECT_NE(again.output.find("already exists"), std::string::npos) << again.output;
    }
}

TEST(OrvellaDbBackup, CopiesTheBookWhileItIsOpenAndRefusesToOverwrite) {
    TempDatabase db;
    db.connection().Execute("Insert Into Income values(1,'2024-01-05','Salary',1500,'January')");
    const std::string copy = (db.folder() / "copy.mdb").string();
    const CommandResult made =
        run(std::string(ORVELLA_DB_TOOL) + " backup " + quoted(db.path()) + " " + quoted(copy));
    ASSERT_EQ(made.status, 0) << made.output;

    Connection restored;
    restored.Open(std::string(ConnectionString::kProvider) + copy);
    Recordset rs;
    rs.Open("Select * from Income", restored, Recordset::adOpenStatic, Recordset::adLockBatchOptimistic);
    EXPECT_EQ(rs.Fields("IncDescription").toText(), "January");
    EXPECT_EQ(rs.Fields("IncAmount").toText(), "1500");
    restored.Close();

    const std::string before = contents(copy);
    const CommandResult again =
        run(std::string(ORVELLA_DB_TOOL) + " backup " + quoted(db.path()) + " " + quoted(copy));
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.output.find("already exists"), std::string::npos) << again.output;
    EXPECT_EQ(contents(copy), before);

    const std::string nowhere = (db.folder() / "none.mdb").string();
    EXPECT_EQ(
        run(std::string(ORVELLA_DB_TOOL) + " backup " + quoted(nowhere) + " " + quoted(copy + "2")).status,
        1);
    EXPECT_FALSE(fs::exists(copy + "2"));
}

TEST(OrvellaDbExport, WritesRfc4180CsvOfEveryTable) {
    TempDatabase db;
    auto& c = db.connection();
    c.Execute("Insert Into GMaster values(1,'Salary','2')");
    c.Execute(
        "Insert Into Income values(2,'2024-01-05','Salary, bonus',12.5,'He said \"hi\"\r\nthen ₹ left')");
    c.Execute("Insert Into Income values(1,NULL,'Rent',0,NULL)");
    const std::string folder = (db.folder() / "csv").string();
    const CommandResult exported =
        run(std::string(ORVELLA_DB_TOOL) + " export " + quoted(db.path()) + " " + quoted(folder));
    ASSERT_EQ(exported.status, 0) << exported.output;

    EXPECT_EQ(contents(folder + "/GMaster.csv"), "SrNo,GName,GType\r\n1,Salary,2\r\n");
    EXPECT_EQ(contents(folder + "/Income.csv"),
              "SrNo,IncDate,IncSource,IncAmount,IncDescription\r\n"
              "1,,Rent,0,\r\n"
              "2,2024-01-05,\"Salary, bonus\",12.5,\"He said \"\"hi\"\"\r\nthen ₹ left\"\r\n");
    EXPECT_EQ(contents(folder + "/Expenses.csv"), "SrNo,ExpDate,ExpCategory,ExpAmount,ExpDescription\r\n");

    const CommandResult again =
        run(std::string(ORVELLA_DB_TOOL) + " export " + quoted(db.path()) + " " + quoted(folder));
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.output.find("already exists"), std::string::npos) << again.output;
}

TEST(OrvellaDbExport, FullDiskLeavesNothingBehindAndTheSameCommandThenRuns) {
    TempDatabase db;
    db.connection().Execute("Insert Into Income values(1,'2024-01-05','Salary',1500,'January')");
    const fs::path own = db.folder() / "own";
    fs::create_directory(own);
    std::ofstream(own / "notes.txt") << "mine";
    for (const fs::path& folder : {db.folder() / "made" / "csv", own}) {
        const std::set<fs::path> before = everythingIn(db.folder());
        int writes = 0;
        // The disk fills up inside Income.csv, once GMaster.csv is whole.
        const auto fullDisk = [&writes](std::FILE* file, std::string_view bytes) {
            return ++writes < 3 ? CsvExport::writeToFile(file, bytes)
                                : std::make_error_code(std::errc::no_space_on_device);
        };
        std::string message;
        try {
            CsvExport::exportTables(db.path(), folder.string(), fullDisk);
        } catch (const DbError& failure) {
            message = failure.what();
        }
        EXPECT_NE(message.find("No space left on device"), std::string::npos) << message;
        EXPECT_EQ(everythingIn(db.folder()), before) << folder;

        const CommandResult again = run(std::string(ORVELLA_DB_TOOL) + " export " + quoted(db.path()) + " " +
                                        quoted(folder.string()));
        EXPECT_EQ(again.status, 0) << again.output;
    }
}

TEST(OrvellaDbAfterACrash, RollsTheUnfinishedWriteBackThenDoesTheCommand) {
    for (const auto& [command, writable, shown] : std::vector<std::tuple<std::string, bool, std::string>>{
             {"check", true, "ok"},
             {"backup", true, "Backed up"},
             {"export", true, "Exported"},
             {"export", false, "holds an unfinished write"}}) {
        TempDatabase db;
        db.connection().Execute("Insert Into Income values(1,'2024-01-05','Salary',1500,'January')");
        db.connection().Close();
        leaveUnfinishedWrite(db.path());
        ASSERT_TRUE(fs::exists(db.path() + "-journal"));
        const fs::path out = db.folder() / "out";
        const std::string line = std::string(ORVELLA_DB_TOOL) + " " + command + " " + quoted(db.path()) +
                                 (command == "check" ? "" : " " + quoted(out.string()));
        const CommandResult result = run(writable ? line : withoutWriting(db, line));
        EXPECT_EQ(result.status, writable ? 0 : 1) << command << result.output;
        EXPECT_NE(result.output.find(shown), std::string::npos) << result.output;
        EXPECT_EQ(fs::exists(db.path() + "-journal"), !writable);
        EXPECT_EQ(fs::exists(out), writable && command != "check");
    }
}

}  // namespace

// Opening the database file and running statements: refusals, durability, locking.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>
#include <fstream>

#include "data/ConnectionString.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "data/SqliteHandles.h"
#include "tests/datasupport/TempDatabase.h"

namespace fs = std::filesystem;

namespace {

std::string openFailure(const std::string& connectionString) {
    Connection connection;
    try {
        connection.Open(connectionString);
    } catch (const DbError& failure) {
        EXPECT_EQ(connection.State(), 0);
        return failure.what();
    }
    ADD_FAILURE() << "the open succeeded";
    return {};
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void runRaw(const std::string& path, const char* sql) {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
    const SqliteDb db(raw);
    ASSERT_EQ(sqlite3_exec(raw, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(raw);
}

long long countRows(Connection& connection, const std::string& table) {
    Recordset rs;
    rs.Open("Select count(*) from " + table, connection, Recordset::adOpenStatic,
            Recordset::adLockBatchOptimistic);
    return rs.Fields(0).toInt64();
}

TEST(ConnectionString, BuiltFromTheProgramFolderAndMappedToThePlatform) {
    const std::string text = ConnectionString::forProgramFolder("/opt/orvella");
    EXPECT_EQ(text, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/opt/orvella\\Database\\Database.mdb");
    EXPECT_EQ(ConnectionString::dataSourcePath(text), "/opt/orvella/Database/Database.mdb");
    EXPECT_EQ(ConnectionString::dataSourcePath(ConnectionString::forProgramFolder("/tmp/a;b\\c")),
              "/tmp/a;b\\c/Database/Database.mdb");
    EXPECT_THROW(ConnectionString::dataSourcePath("Provider=x"), DbError);
}

TEST(Open, RefusesWhatIsNotTheProgramsDatabaseAndCreatesNothing) {
    TempDatabase db;
    db.connection().Close();
    const std::string path = db.path();

    fs::remove(path);
    std::string description = openFailure(db.connectionString());
    EXPECT_NE(description.find(path), std::string::npos) << description;
    EXPECT_NE(description.find("unable to open database file"), std::string::npos) << description;
    EXPECT_FALSE(fs::exists(path));

    writeFile(path, std::string(4096, 'g'));
    description = openFailure(db.connectionString());
    EXPECT_NE(description.find(path), std::string::npos) << description;
    EXPECT_NE(description.find("not a database"), std::string::npos) << description;
    EXPECT_EQ(fs::file_size(path), 4096u);

    writeFile(path, "");
    description = openFailure(db.connectionString());
    EXPECT_NE(description.find("The table GMaster is missing."), std::string::npos) << description;
    EXPECT_EQ(fs::file_size(path), 0u);
}

TEST(Open, RefusesMissingTablesAndColumnsInAnotherOrder) {
    TempDatabase db;
    db.connection().Close();
    runRaw(db.path(), "DROP TABLE Expenses");
    EXPECT_NE(openFailure(db.connectionString()).find("The table Expenses is missing."), std::string::npos);

    runRaw(db.path(),
           "CREATE TABLE Expenses (SrNo INTEGER PRIMARY KEY, ExpCategory TEXT, ExpDate DATE, ExpAmount REAL, "
           "ExpDescription TEXT)");
    const std::string description = openFailure(db.connectionString());
    EXPECT_NE(description.find("The table Expenses has the columns SrNo, ExpCategory, ExpDate"),
              std::string::npos)
        << description;
}

TEST(Execute, CountsChangedRowsAndRewritesDeleteStar) {
    TempDatabase db;
    auto& c = db.connection();
    EXPECT_EQ(c.Execute("Insert Into Income(SrNo,IncDate,IncSource,IncAmount,IncDescription) "
                        "values(7,'2024-01-05','Salary',1500,'x')"),
              1);
    EXPECT_EQ(c.Execute("Update Income set IncAmount=10 where SrNo=8"), 0);
    EXPECT_EQ(c.Execute("Delete * from Income where SrNo=7"), 1);
    EXPECT_EQ(countRows(c, "Income"), 0);
}

TEST(Execute, RefusesSecondStatementsAndConstraintBreaches) {
    TempDatabase db;
    auto& c = db.connection();
    EXPECT_THROW(c.Execute("Insert Into GMaster values(1,'a','2'); DROP TABLE Income"), DbError);
    EXPECT_EQ(countRows(c, "GMaster"), 0);

    c.Execute("Insert Into GMaster(SrNo,GName,GType) values(1,'Salary','2')");
    try {
        c.Execute("Insert Into GMaster(SrNo,GName,GType) values(1,'Rent','1')");
        ADD_FAILURE() << "a second row numbered 1 was stored";
    } catch (const DbError& failure) {
        EXPECT_NE(std::string(failure.what()).find("UNIQUE"), std::string::npos) << failure.what();
    }
    EXPECT_THROW(c.Execute("Insert Into GMaster(SrNo,GName,GType) values(2,'Rent','')"), DbError);
    EXPECT_THROW(c.Execute("Insert Into Income(SrNo,IncDate,IncSource,IncAmount,IncDescription) "
                           "values(1,'05/04/2008','a',1,'b')"),
                 DbError);
    EXPECT_THROW(c.Execute("Insert Into Income(SrNo,IncDate,IncSource,IncAmount,IncDescription) "
                           "values(1,'2008-05-04','a',-1,'b')"),
                 DbError);
    EXPECT_EQ(countRows(c, "GMaster"), 1);
    EXPECT_EQ(countRows(c, "Income"), 0);
}

TEST(Execute, LeavesNoFileBesideTheDatabase) {
    TempDatabase db;
    db.connection().Execute("Insert Into GMaster(SrNo,GName,GType) values(1,'Salary','2')");
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(db.folder() / "Database")) {
        files.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(files, std::vector<std::string>{"Database.mdb"});
}

TEST(Execute, ALockedFileFailsWithinTheTimeoutAndChangesNothing) {
    TempDatabase db;
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(db.path().c_str(), &raw), SQLITE_OK);
    const SqliteDb other(raw);
    ASSERT_EQ(sqlite3_exec(raw, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    try {
        db.connection().Execute("Insert Into GMaster(SrNo,GName,GType) values(1,'Salary','2')");
        ADD_FAILURE() << "the insert went through a lock";
    } catch (const DbError& failure) {
        EXPECT_NE(std::string(failure.what()).find("locked"), std::string::npos) << failure.what();
    }
    Recordset rs;
    EXPECT_THROW(rs.Open("Select * from GMaster", db.connection(), Recordset::adOpenStatic,
                         Recordset::adLockBatchOptimistic),
                 DbError);
    ASSERT_EQ(sqlite3_exec(raw, "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
    db.connection().Execute("Insert Into GMaster(SrNo,GName,GType) values(1,'Salary','2')");
    EXPECT_EQ(countRows(db.connection(), "GMaster"), 1);
}

TEST(Execute, AClosedConnectionFails) {
    Connection connection;
    EXPECT_THROW(connection.Execute("Select 1"), DbError);
}

}  // namespace

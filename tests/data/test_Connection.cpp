// Statements the book refuses: the engine's reason given, nothing changed, no file left beside the book.
// Result sets: read whole when they open, holding no lock, every stored double kept bit for bit.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cstring>
#include <filesystem>
#include <limits>

#include "data/DbError.h"
#include "data/Recordset.h"
#include "data/SqliteHandles.h"
#include "tests/datasupport/StoredText.h"
#include "tests/datasupport/TempDatabase.h"

namespace fs = std::filesystem;

namespace {

class RefusedStatement : public testing::TestWithParam<std::pair<const char*, const char*>> {};

// The book holds one entry, which a refused statement leaves as it was.
TEST_P(RefusedStatement, ChangesNothing) {
    const auto& [statement, reason] = GetParam();
    TempDatabase db;
    db.connection().Execute("Insert Into GMaster(SrNo,GName,GType) values(1,'Salary','2')");
    try {
        db.connection().Execute(statement);
        ADD_FAILURE() << "stored: " << statement;
    } catch (const DbError& failure) {
        EXPECT_NE(std::string(failure.what()).find(reason), std::string::npos) << failure.what();
    }
    EXPECT_EQ(
        rowsOf(db.connection(), "Select * from GMaster") + rowsOf(db.connection(), "Select * from Income"),
        "1|Salary|2\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(db.folder() / "Database"), fs::directory_iterator()), 1);
    // Each write's journal is a file, deleted once the write is done: one kept in memory dies with a crash.
    EXPECT_EQ(rowsOf(db.connection(), "PRAGMA journal_mode"), "delete\n");
}

INSTANTIATE_TEST_SUITE_P(
    Statements, RefusedStatement,
    testing::Values(std::pair{"Insert Into GMaster values(2,'Rent','1'); DROP TABLE Income",
                              "Only one statement"},
                    std::pair{"Insert Into GMaster(SrNo,GName,GType) values(2,'Rent','')", "CHECK"},
                    std::pair{"Insert Into Income values(1,'05/04/2008','a',1,'b')", "CHECK"},
                    std::pair{"Insert Into Income values(1,'2008-05-04','a',-1,'b')", "CHECK"}));

class StoredAmount : public testing::TestWithParam<double> {};

// Stored compactly, every double comes back bit for bit; a writer gets through while the set is half read.
TEST_P(StoredAmount, ComesBackExactly) {
    TempDatabase db;
    db.connection().Execute("CREATE TABLE Figures (Amount REAL)");
    sqlite3_stmt* raw = nullptr;
    ASSERT_EQ(
        sqlite3_prepare_v2(db.connection().handle(), "INSERT INTO Figures VALUES(?), (0)", -1, &raw, nullptr),
        SQLITE_OK);
    const SqliteStatement insert(raw);
    sqlite3_bind_double(raw, 1, GetParam());
    ASSERT_EQ(sqlite3_step(raw), SQLITE_DONE);
    Recordset figures;
    figures.Open("Select Amount from Figures", db.connection(), Recordset::adOpenStatic,
                 Recordset::adLockBatchOptimistic);
    runBehind(db.path(), "BEGIN EXCLUSIVE; COMMIT;");
    const Variant stored = figures.Fields(0);
    ASSERT_EQ(stored.type(), Variant::Type::Decimal);
    const double expected = GetParam();
    const double got = stored.toDouble();
    EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << expected << " came back as " << got;
}

// Beyond 64-bit integers too, as another program may store them.
INSTANTIATE_TEST_SUITE_P(Amounts, StoredAmount,
                         testing::Values(12.5, 0.1, 0.0001, 1e-5, 1234.5678, 99999999999.9999, 1e300, -250.75,
                                         1500.0, 9007199254740993.0, 0.30000000000000004, 5e-324, 1e20, -1e20,
                                         std::numeric_limits<double>::infinity()));

}  // namespace

// Result sets: walking, fields, closed sets, the exact sum, numbering, and the statement catalogue.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cstring>
#include <limits>

#include "data/DbError.h"
#include "data/RecordNumbering.h"
#include "data/Recordset.h"
#include "data/SqliteHandles.h"
#include "data/Statements.h"
#include "data/ValueForms.h"
#include "tests/datasupport/StoredText.h"
#include "tests/datasupport/TempDatabase.h"

namespace {

Recordset query(Connection& c, std::string_view sql) {
    Recordset rs;
    rs.Open(sql, c, Recordset::adOpenStatic, Recordset::adLockBatchOptimistic);
    return rs;
}

TEST(Recordset, WalksRowsAndReadsFieldsAsStored) {
    TempDatabase db;
    auto& c = db.connection();
    c.Execute("Insert Into Income values(1,'2024-02-29','Salary',1500,'')");
    c.Execute("Insert Into Income values(2,NULL,NULL,99999999999.9999,NULL)");
    Recordset rs = query(c, Statements::kListIncome);
    // A writer from elsewhere gets through while the set is open and half read: it holds no lock.
    runBehind(db.path(), "BEGIN EXCLUSIVE; COMMIT;");
    EXPECT_EQ(rs.Fields(1).toDate(), (CalendarDate{2024, 2, 29}));
    EXPECT_EQ(rs.Fields("incsource").toText(), "Salary");
    EXPECT_EQ(rs.Fields(3).toText(), "1500");
    EXPECT_THROW(rs.Fields(5), DbError);
    EXPECT_THROW(rs.Fields("Nope"), DbError);
    rs.MoveNext();
    EXPECT_TRUE(rs.Fields(1).isNull() && rs.Fields("IncSource").isNull());
    EXPECT_EQ(rs.Fields("IncAmount").toText(), "99999999999.9999");
    rs.MoveNext();
    // Past the end or closed, every step fails, so a loop over the rows ends.
    EXPECT_TRUE(rs.Eof());
    EXPECT_THROW(rs.Fields(0), DbError);
    EXPECT_THROW(rs.MoveNext(), DbError);
    rs.Close();
    EXPECT_THROW(rs.Eof(), DbError);
    EXPECT_THROW(rs.rows(), DbError);
}

class StoredAmount : public testing::TestWithParam<double> {};

// The compact storage keeps amounts in a few bytes; every double must still come back bit for bit.
TEST_P(StoredAmount, ComesBackExactly) {
    TempDatabase db;
    db.connection().Execute("CREATE TABLE Figures (Amount REAL)");
    sqlite3_stmt* raw = nullptr;
    ASSERT_EQ(
        sqlite3_prepare_v2(db.connection().handle(), "INSERT INTO Figures VALUES(?)", -1, &raw, nullptr),
        SQLITE_OK);
    const SqliteStatement insert(raw);
    sqlite3_bind_double(raw, 1, GetParam());
    ASSERT_EQ(sqlite3_step(raw), SQLITE_DONE);
    const Variant stored = query(db.connection(), "Select Amount from Figures").Fields(0);
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

// Ten rows of 0.1 come to 1, a million of 999.95 to 999950000, 1e20 + 1 to every digit of it; an infinity
// cannot be added.
TEST(ExactSum, TotalsAreExactAndNullWithoutRows) {
    TempDatabase db;
    auto& c = db.connection();
    EXPECT_TRUE(query(c, Statements::kIncomeTotal).Fields("Tot").isNull());
    runOn(c.handle(),
          "BEGIN; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000) "
          "INSERT INTO Expenses SELECT i, '2024-01-01', 'Rent', 999.95, '' FROM n; INSERT INTO Income "
          "SELECT SrNo, ExpDate, 'Salary', 0.1, '' FROM Expenses WHERE SrNo <= 10; COMMIT;");
    EXPECT_EQ(query(c, Statements::kReportIncomeTotal).Fields("TotI").toDouble(), 1.0);
    EXPECT_EQ(query(c, Statements::kReportExpensesTotal).Fields("TotE").toText(), "999950000");
    c.Execute("Insert Into Income values(11,'2024-01-05','Salary',1e20,'')");
    EXPECT_EQ(query(c, Statements::kIncomeTotal).Fields("Tot").toText(), "100000000000000000001");
    c.Execute("Insert Into Income values(12,'2024-01-05','Salary',9e999,'')");
    EXPECT_THROW(query(c, Statements::kIncomeTotal), DbError);
}

TEST(RecordNumbering, OneOnEmptyThenLargestPlusOne) {
    TempDatabase db;
    auto& c = db.connection();
    Recordset numbering;
    EXPECT_EQ(RecordNumbering::NextRecordNumber(c, numbering, Statements::kMaxIncome), 1);
    runOn(c.handle(),
          "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5) "
          "INSERT INTO Income SELECT i, '2024-01-05', 'Salary', 1, '' FROM n");
    EXPECT_EQ(RecordNumbering::NextRecordNumber(c, numbering, Statements::kMaxIncome), 6);
    c.Execute(std::string(Statements::kDeleteIncome) + "5");
    EXPECT_EQ(RecordNumbering::NextRecordNumber(c, numbering, Statements::kMaxIncome), 5);
    c.Execute(std::string(Statements::kDeleteIncome) + "2");
    EXPECT_EQ(RecordNumbering::NextRecordNumber(c, numbering, Statements::kMaxIncome), 5);
    // Each table numbers its own rows; the master table numbers both kinds together.
    EXPECT_EQ(RecordNumbering::NextRecordNumber(c, numbering, Statements::kMaxExpenses), 1);
    c.Execute(std::string(Statements::kInsertMaster) + "4,'Rent','1')");
    EXPECT_EQ(RecordNumbering::NextRecordNumber(c, numbering, Statements::kMaxMaster), 5);
}

// Every catalogue statement runs against a fresh database as the windows complete it.
TEST(Catalogue, EveryStatementRuns) {
    TempDatabase db;
    auto& c = db.connection();
    using namespace Statements;
    c.Execute(std::string(kInsertMaster) + "1,'Salary','2')");
    c.Execute(std::string(kInsertMaster) + "2,'" + ValueForms::literalText("Children's school") + "','1')");
    c.Execute(std::string(kUpdateMaster) + "Wages" + std::string(kUpdateMasterKind) + "2" +
              std::string(kUpdateMasterKey) + "1");
    for (const auto kind :
         {kIncomeSourcesByName, kExpenseCategoriesByName, kIncomeSources, kExpenseCategories}) {
        EXPECT_FALSE(query(c, kind).Eof()) << kind;
    }
    EXPECT_EQ(query(c, std::string(kSelectMaster) + "1").Fields(1).toText(), "Wages");
    EXPECT_EQ(query(c, std::string(kSelectMaster) + "2").Fields(1).toText(), "Children's school");

    const struct {
        std::string_view insert, update, source, amount, description, remove, select, list, total, report,
            max;
    } tables[] = {
        {kInsertIncome, kUpdateIncome, kUpdateIncomeSource, kUpdateIncomeAmount, kUpdateIncomeDescription,
         kDeleteIncome, kSelectIncome, kListIncome, kIncomeTotal, kReportIncomeTotal, kMaxIncome},
        {kInsertExpenses, kUpdateExpenses, kUpdateExpensesCategory, kUpdateExpensesAmount,
         kUpdateExpensesDescription, kDeleteExpenses, kSelectExpenses, kListExpenses, kExpensesTotal,
         kReportExpensesTotal, kMaxExpenses},
    };
    for (const auto& t : tables) {
        c.Execute(std::string(t.insert) + "1" + std::string(kAfterNumber) + "2008-05-04" +
                  std::string(kBetweenTexts) + "O''Brien" + std::string(kBeforeAmount) + "12.5" +
                  std::string(kBeforeText) + "a\r\nb" + std::string(kCloseValues));
        const auto update = [&](const char* key) {
            return c.Execute(std::string(t.update) + "2008-05-05" + std::string(t.source) + "Rent" +
                             std::string(t.amount) + "0" + std::string(t.description) + "c" +
                             std::string(kUpdateKey) + key);
        };
        EXPECT_EQ(update("1"), 1);
        EXPECT_EQ(update("2"), 0);
        Recordset one = query(c, std::string(t.select) + "1");
        EXPECT_EQ(one.Fields(1).toDate(), (CalendarDate{2008, 5, 5}));
        EXPECT_EQ(one.Fields(2).toText(), "Rent");
        EXPECT_EQ(one.Fields(3).toText(), "0");
        EXPECT_EQ(query(c, t.list).fieldCount(), 5u);
        EXPECT_EQ(query(c, t.total).Fields("Tot").toText(), "0");
        EXPECT_FALSE(query(c, t.report).Fields(0).isNull());
        EXPECT_EQ(query(c, t.max).Fields(0).toInt64(), 1);
        EXPECT_EQ(c.Execute(std::string(t.remove) + "1"), 1);
        EXPECT_TRUE(query(c, t.list).Eof());
    }
}

}  // namespace

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
#include "tests/datasupport/TempDatabase.h"

namespace {

Recordset query(Connection& c, std::string_view sql) {
    Recordset rs;
    rs.Open(sql, c, Recordset::adOpenStatic, Recordset::adLockBatchOptimistic);
    return rs;
}

void addIncome(Connection& c, int number, double amount, const std::string& source = "Salary") {
    using namespace Statements;
    c.Execute(std::string(kInsertIncome) + std::to_string(number) + std::string(kAfterNumber) + "2024-01-05" +
              std::string(kBetweenTexts) + source + std::string(kBeforeAmount) +
              ValueForms::plainText(amount) + std::string(kBeforeText) + "x" + std::string(kCloseValues));
}

TEST(Recordset, WalksRowsAndReadsFieldsByPositionAndAlias) {
    TempDatabase db;
    addIncome(db.connection(), 1, 1500);
    addIncome(db.connection(), 2, 12.5, "Rent");
    Recordset rs = query(db.connection(), Statements::kListIncome);
    ASSERT_EQ(rs.State(), 1);
    ASSERT_EQ(rs.fieldCount(), 5u);
    EXPECT_EQ(rs.Fields(0).type(), Variant::Type::Integer);
    EXPECT_EQ(rs.Fields(1).toDate(), (CalendarDate{2024, 1, 5}));
    EXPECT_EQ(rs.Fields("incsource").toText(), "Salary");
    EXPECT_EQ(rs.Fields(3).toText(), "1500");
    rs.MoveNext();
    EXPECT_EQ(rs.Fields("IncAmount").toText(), "12.5");
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_THROW(rs.Fields(0), DbError);
    EXPECT_THROW(rs.MoveNext(), DbError);
    rs.MoveFirst();
    EXPECT_EQ(rs.Fields(0).toInt64(), 1);
    EXPECT_THROW(rs.Fields(5), DbError);
    EXPECT_THROW(rs.Fields("Nope"), DbError);
    EXPECT_THROW(rs.Open(Statements::kListIncome, db.connection(), Recordset::adOpenStatic,
                         Recordset::adLockBatchOptimistic),
                 DbError);
}

TEST(Recordset, AClosedSetFailsSoAnEofLoopEnds) {
    TempDatabase db;
    Recordset rs = query(db.connection(), Statements::kListIncome);
    EXPECT_TRUE(rs.Eof());
    rs.Close();
    EXPECT_EQ(rs.State(), 0);
    EXPECT_THROW(rs.Eof(), DbError);
    EXPECT_THROW(rs.MoveFirst(), DbError);
    EXPECT_THROW(rs.Fields(0), DbError);
    EXPECT_THROW(rs.rows(), DbError);
}

TEST(Recordset, HoldsNoLockOnceOpen) {
    TempDatabase db;
    addIncome(db.connection(), 1, 10);
    addIncome(db.connection(), 2, 20);
    Recordset rs = query(db.connection(), Statements::kListIncome);
    // A writer from elsewhere gets through while the set is open and half read.
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(db.path().c_str(), &raw), SQLITE_OK);
    const SqliteDb other(raw);
    EXPECT_EQ(sqlite3_exec(raw, "BEGIN EXCLUSIVE; COMMIT;", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(rs.Fields(0).toInt64(), 1);
}

TEST(Recordset, NullsTextsAndOddValuesComeBackAsStored) {
    TempDatabase db;
    auto& c = db.connection();
    c.Execute("Insert Into Income values(1,NULL,NULL,0,'')");
    c.Execute("Insert Into Income values(2,'2024-02-29','a',99999999999.9999,'b')");
    Recordset rs = query(c, Statements::kListIncome);
    EXPECT_TRUE(rs.Fields(1).isNull());
    EXPECT_TRUE(rs.Fields(2).isNull());
    EXPECT_EQ(rs.Fields(3).toText(), "0");
    EXPECT_EQ(rs.Fields(4).type(), Variant::Type::Text);
    EXPECT_EQ(rs.Fields(4).toText(), "");
    rs.MoveNext();
    EXPECT_EQ(rs.Fields(3).toText(), "99999999999.9999");
    EXPECT_EQ(rs.Fields(1).toDate(), (CalendarDate{2024, 2, 29}));
}

// The compact storage keeps amounts in a few bytes; every double must still come back bit for bit.
TEST(Recordset, EveryDecimalComesBackExactly) {
    TempDatabase db;
    auto& c = db.connection();
    const double values[] = {12.5,
                             0.1,
                             0.0001,
                             1e-5,
                             1234.5678,
                             99999999999.9999,
                             1e300,
                             -250.75,
                             1500.0,
                             9007199254740993.0,
                             0.30000000000000004,
                             5e-324,
                             1e20,
                             -1e20,
                             std::numeric_limits<double>::infinity()};
    c.Execute("CREATE TABLE Figures (SrNo INTEGER PRIMARY KEY, Amount REAL)");
    for (std::size_t i = 0; i < std::size(values); ++i) {
        sqlite3_stmt* raw = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(c.handle(), "INSERT INTO Figures VALUES(?, ?)", -1, &raw, nullptr),
                  SQLITE_OK);
        const SqliteStatement insert(raw);
        sqlite3_bind_int64(raw, 1, static_cast<sqlite3_int64>(i + 1));
        sqlite3_bind_double(raw, 2, values[i]);
        ASSERT_EQ(sqlite3_step(raw), SQLITE_DONE);
    }
    Recordset rs = query(c, "Select SrNo, Amount from Figures order by SrNo");
    for (const double expected : values) {
        const Variant stored = rs.Fields(1);
        ASSERT_EQ(stored.type(), Variant::Type::Decimal);
        const double got = stored.toDouble();
        EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << expected << " came back as " << got;
        rs.MoveNext();
    }
}

TEST(ExactSum, TotalsAreExactAndNullWithoutRows) {
    TempDatabase db;
    auto& c = db.connection();
    EXPECT_TRUE(query(c, Statements::kIncomeTotal).Fields("Tot").isNull());
    for (int i = 1; i <= 10; ++i) {
        addIncome(c, i, 0.1);
    }
    EXPECT_EQ(query(c, Statements::kIncomeTotal).Fields("Tot").toText(), "1");
    EXPECT_EQ(query(c, Statements::kReportIncomeTotal).Fields("TotI").toDouble(), 1.0);
    addIncome(c, 11, 1e20);
    EXPECT_EQ(query(c, Statements::kIncomeTotal).Fields("Tot").toText(), "100000000000000000001");
}

TEST(ExactSum, AMillionAmountsDoNotDrift) {
    TempDatabase db;
    sqlite3* raw = db.connection().handle();
    ASSERT_EQ(sqlite3_exec(
                  raw,
                  "BEGIN; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000) "
                  "INSERT INTO Expenses SELECT i, '2024-01-01', 'Rent', 999.95, '' FROM n; COMMIT;",
                  nullptr, nullptr, nullptr),
              SQLITE_OK);
    const Variant total = query(db.connection(), Statements::kReportExpensesTotal).Fields("TotE");
    EXPECT_EQ(total.toDouble(), 999950000.0);
    EXPECT_EQ(total.toText(), "999950000");
}

TEST(RecordNumbering, OneOnEmptyThenLargestPlusOne) {
    TempDatabase db;
    auto& c = db.connection();
    Recordset numbering;
    EXPECT_EQ(RecordNumbering::NextRecordNumber(c, numbering, Statements::kMaxIncome), 1);
    for (int i = 1; i <= 5; ++i) {
        addIncome(c, i, 1);
    }
    EXPECT_EQ(RecordNumbering::NextRecordNumber(c, numbering, Statements::kMaxIncome), 6);
    EXPECT_EQ(numbering.cursorType(), Recordset::adOpenKeyset);
    EXPECT_EQ(numbering.lockType(), Recordset::adLockReadOnly);
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
        c.Execute(std::string(t.update) + "2008-05-05" + std::string(t.source) + "Rent" +
                  std::string(t.amount) + "0" + std::string(t.description) + "c" + std::string(kUpdateKey) +
                  "1");
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

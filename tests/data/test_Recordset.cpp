// Result sets: read whole when they open, holding no lock, every stored double kept bit for bit.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cstring>
#include <limits>

#include "data/Recordset.h"
#include "data/SqliteHandles.h"
#include "tests/datasupport/StoredText.h"
#include "tests/datasupport/TempDatabase.h"

namespace {

class StoredAmount : public testing::TestWithParam<double> {};

// The compact storage keeps amounts in a few bytes; every double must still come back bit for bit, and a
// writer from elsewhere gets through while the set is open and half read.
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

// Statements the book refuses: the engine's reason given, nothing changed, no file left beside the book.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/DbError.h"
#include "tests/datasupport/StoredText.h"
#include "tests/datasupport/TempDatabase.h"

namespace fs = std::filesystem;

namespace {

class RefusedStatement : public testing::TestWithParam<std::pair<const char*, const char*>> {};

// The book holds one entry. A refused statement fails with the engine's reason and changes nothing, and
// no file of the engine is left beside the book.
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
}

INSTANTIATE_TEST_SUITE_P(
    Statements, RefusedStatement,
    testing::Values(std::pair{"Insert Into GMaster values(2,'Rent','1'); DROP TABLE Income",
                              "Only one statement"},
                    std::pair{"Insert Into GMaster(SrNo,GName,GType) values(2,'Rent','')", "CHECK"},
                    std::pair{"Insert Into Income values(1,'05/04/2008','a',1,'b')", "CHECK"},
                    std::pair{"Insert Into Income values(1,'2008-05-04','a',-1,'b')", "CHECK"}));

}  // namespace

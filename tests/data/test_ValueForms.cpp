// The value forms: the numeric value and test, plain text, the balance form and quoting through the engine.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "data/Statements.h"
#include "data/ValueForms.h"
#include "tests/datasupport/StoredText.h"
#include "tests/datasupport/TempDatabase.h"

namespace {

struct NumberCase {
    const char* text;
    double value;            // numericValue
    bool numeric;            // isNumeric: the amount box keeps it
    const char* mark = ".";  // the user's decimal mark
};

class NumericText : public testing::TestWithParam<NumberCase> {};

TEST_P(NumericText, ValueAndTestAgree) {
    const auto& c = GetParam();
    const double value = ValueForms::numericValue(c.text, c.mark);
    if (std::isinf(c.value)) {
        EXPECT_TRUE(std::isinf(value) && (value > 0) == (c.value > 0)) << c.text;
    } else {
        EXPECT_EQ(value, c.value) << c.text;
    }
    EXPECT_EQ(ValueForms::isNumeric(c.text, c.mark), c.numeric) << c.text;
    // A stored amount is loaded into the box only when the box keeps its plain text form.
    if (c.numeric) {
        EXPECT_EQ(ValueForms::isKeptAmount(value), value >= 0) << c.text;
    }
    // Whatever the box keeps is stored as exactly the value it shows.
    if (c.numeric) {
        EXPECT_EQ(ValueForms::numericValue(ValueForms::plainText(value, c.mark), c.mark), value) << c.text;
    }
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Amounts, NumericText,
    testing::Values(NumberCase{"0", 0, true}, NumberCase{"-0", 0, true}, NumberCase{"12.5", 12.5, true},
                    NumberCase{"12.50", 12.5, true}, NumberCase{"1e3", 1000, true},
                    NumberCase{"  12.5  ", 12.5, true}, NumberCase{"+5", 5, true},
                    NumberCase{".5", 0.5, true}, NumberCase{"5.", 5, true}, NumberCase{"-1", -1, true},
                    NumberCase{"0.0001", 0.0001, true},
                    NumberCase{"99999999999.9999", 99999999999.9999, true}, NumberCase{"1.5E+2", 150, true},
                    NumberCase{"2.5e-1", 0.25, true},
                    // Not amounts the box keeps, though some have a leading number.
                    NumberCase{"7abc", 7, false}, NumberCase{"", 0, false}, NumberCase{".", 0, false},
                    NumberCase{"-", 0, false}, NumberCase{"abc", 0, false}, NumberCase{"1,000", 1, false},
                    NumberCase{"12,5", 12, false}, NumberCase{"1e", 1, false}, NumberCase{"1e+", 1, false},
                    NumberCase{"0.00001", 0.00001, false}, NumberCase{"100000000000", 1e11, false},
                    NumberCase{"9007199254740993", 9007199254740992.0, false},
                    NumberCase{"1e308", 1e308, false}, NumberCase{"1e999", kInf, false},
                    NumberCase{"-1e999", -kInf, false}, NumberCase{"1.2.3", 1.2, false},
                    NumberCase{"1 2", 1, false}, NumberCase{"0x10", 0, false}, NumberCase{"--1", 0, false},
                    NumberCase{"1e-999", 0, false},
                    // Under a decimal comma the point is a group mark, which is never taken.
                    NumberCase{"12,5", 12.5, true, ","}, NumberCase{",0001", 0.0001, true, ","},
                    NumberCase{"12.5", 12, false, ","}, NumberCase{"1.000,5", 1, false, ","}));

// A figure's plain text, its balance text, and whether the amount box keeps it as it is stored.
struct Figure {
    double value;
    const char* plain;
    const char* balance;
    bool kept;
};

class FigureForms : public testing::TestWithParam<Figure> {};

TEST_P(FigureForms, PlainBalanceAndKept) {
    const auto& f = GetParam();
    EXPECT_EQ(ValueForms::plainText(f.value), f.plain);
    EXPECT_EQ(ValueForms::balanceText(f.value), f.balance) << f.plain;
    EXPECT_EQ(ValueForms::isKeptAmount(f.value), f.kept) << f.plain;
}

INSTANTIATE_TEST_SUITE_P(
    Figures, FigureForms,
    testing::Values(Figure{0.1 + 0.2, "0.3", "0.30", true}, Figure{-0.0, "0", "0.00", true},
                    Figure{0.0001, "0.0001", "0.00", true},
                    Figure{999950000.0, "999950000", "999,950,000.00", true},
                    Figure{0.05, "0.05", "0.05", true},
                    // Rounded half away from zero, as the figure reads: 2.675 is held as 2.67499999...
                    Figure{0.125, "0.125", "0.13", true}, Figure{-0.125, "-0.125", "-0.13", false},
                    Figure{2.675, "2.675", "2.68", true}, Figure{999.995, "999.995", "1,000.00", true},
                    Figure{-0.004, "-0.004", "0.00", false}, Figure{-1250.5, "-1250.5", "-1,250.50", false},
                    // Figures the amount box cannot show as they are: never an exponent in their text.
                    Figure{1e-7, "0.0000001", "0.00", false},
                    Figure{123456789012.34, "123456789012.34", "123,456,789,012.34", false},
                    Figure{1e20, "100000000000000000000", "100,000,000,000,000,000,000.00", false},
                    Figure{kInf, "Infinity", "0.00", false}, Figure{std::nan(""), "NaN", "0.00", false}));

TEST(DateLiteral, AlwaysIsoWhateverTheLocale) {
    EXPECT_EQ(ValueForms::literalDate({2008, 5, 4}), "2008-05-04");
    EXPECT_EQ(ValueForms::literalDate({1752, 12, 31}), "1752-12-31");
    EXPECT_EQ(CalendarDate::fromIsoText("2024-02-29"), (CalendarDate{2024, 2, 29}));
    EXPECT_FALSE(CalendarDate::fromIsoText("2023-02-29"));
    EXPECT_FALSE(CalendarDate::fromIsoText("04/05/2008"));
    EXPECT_FALSE(CalendarDate::fromIsoText("2008-5-4"));
}

class TextLiteral : public testing::TestWithParam<std::string> {};

// Each text goes into a statement through the literal form and must come back from the engine unchanged.
TEST_P(TextLiteral, StoredAndReadBackExactly) {
    TempDatabase db;
    db.connection().Execute(std::string(Statements::kInsertMaster) + "1,'" +
                            ValueForms::literalText(GetParam()) + "','2')");
    EXPECT_EQ(rowsOf(db.connection(), "SELECT GName FROM GMaster"), GetParam() + "\n");
}

INSTANTIATE_TEST_SUITE_P(Texts, TextLiteral,
                         testing::Values("O'Brien", "'", "''", "line one\r\nline two\nthree",
                                         "Ünïcödé ₹ 東京", "'); DROP TABLE Income; --", "\\'", "", "   ",
                                         std::string(100000, 'x') + "'"));

}  // namespace

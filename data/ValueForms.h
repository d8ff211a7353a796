// The value forms: how a value is written into a statement and how a number becomes text and back.
// Every window goes through these, so a figure is written, shown and read back the same way everywhere.
#pragma once

#include <string>
#include <string_view>

#include "data/CalendarDate.h"

namespace ValueForms {

// The statements carry their own quotes around each text value; these give what stands between them.

// The text with every quote doubled: any text is stored exactly as given and cannot end its literal.
std::string literalText(std::string_view text);

// yyyy-MM-dd: the stored day never depends on how a locale writes dates.
std::string literalDate(const CalendarDate& date);

// A number as decimal digits, exact at any size: its significant digits (no leading or trailing zeros; none
// for zero), how many of them stand before the decimal point (zeros fill in where that is fewer than none or
// more than all of them), and its sign.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    long long pointPosition = 0;
};

// The leading number of a text, digit for digit: blanks skipped, an optional sign, digits with at most one
// decimal mark, an optional exponent. No digits when the text has no leading number.
DecimalDigits leadingDigits(std::string_view text, std::string_view decimalMark = ".");

// The leading number's value. A text without one gives 0; a number too large for a double gives +-infinity.
double numericValue(std::string_view text, std::string_view decimalMark = ".");

// True when the whole text, surrounding blanks aside, is such a number and an amount kept exactly:
// at most 11 digits before the decimal mark and 4 after it (trailing zeros after the mark aside). Only the
// given mark counts: a group separator never does.
bool isNumeric(std::string_view text, std::string_view decimalMark = ".");

// True when the amount box keeps this stored amount as the text it would show: a finite number, not negative,
// whose plain text form is numeric. So a record whose amount fails this cannot be loaded, changed and saved
// back without changing the figure.
bool isKeptAmount(double amount);

// Fixed notation, no grouping, '.' (or the given mark) as decimal mark, no trailing zeros, at most 15
// significant digits, never an exponent: the text reads back through numericValue to the value shown.
std::string plainText(double value, std::string_view decimalMark = ".");

// The same form of a number given digit for digit: every digit kept, at any size.
std::string plainText(const DecimalDigits& number, std::string_view decimalMark = ".");

// A whole number as plain digits.
std::string plainText(long long value);

// A record number as statements carry it: the leading number of the text (an empty text gives 0), exactly, as
// a 64-bit whole number. Fails with DbError, naming the number, when it is not one a record can have (a
// fraction, or beyond 9223372036854775807): a record number is never rounded.
long long recordNumber(std::string_view text);

// Why a record number cannot be used, naming it: the description of that failure.
std::string unheldRecordNumber(std::string_view number);

// The report balance, "#,##0.00": grouped by three, two decimals rounded half away from zero,
// a leading '-' only when the rounded value is not zero.
std::string balanceText(const DecimalDigits& number);

}  // namespace ValueForms

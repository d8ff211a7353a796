// The value forms applied to what a box or label shows: its text as a statement value, a number as its text.
#pragma once

#include <QString>

#include <string>

namespace BoxValues {

// The decimal mark of the user's numeric locale: the one mark the amount box takes and shows.
std::string decimalMark();

// The amount box's text, read with the user's decimal mark, as a bare number for a statement (an empty box
// gives 0).
std::string bareAmount(const QString& text);

// The record number the box shows, exactly, as a bare whole number for a statement (an empty box gives 0).
// A number no record can have fails with a DbError naming it.
std::string recordNumber(const QString& text);

// The text as it stands between a statement's quotes.
std::string quoted(const QString& text);

// A stored amount as the amount box shows it: its plain text form with the user's decimal mark.
QString amountText(double amount);

// A whole number's plain text form, for a box or a label.
QString plain(long long value);

}  // namespace BoxValues

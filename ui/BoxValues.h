// The value forms applied to what a box or label shows: its text as a statement value, a number as its text.
#pragma once

#include <QString>

#include <string>

namespace BoxValues {

// The numeric value of the text as a bare number for a statement (an empty box gives 0).
std::string bareNumber(const QString& text);

// The record number the box shows, exactly, as a bare whole number for a statement (an empty box gives 0).
// A number no record can have fails with a DbError naming it.
std::string recordNumber(const QString& text);

// The text as it stands between a statement's quotes.
std::string quoted(const QString& text);

// The numeric value of the text (its leading number).
double numericValue(const QString& text);

// A whole number's plain text form, for a box or a label.
QString plain(long long value);

}  // namespace BoxValues

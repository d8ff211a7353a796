// Dates as the user reads them: the locale's short format, always with a four-digit year.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include "data/CalendarDate.h"

namespace DateText {

// The format with every two-digit year widened to four; quoted literal text is left alone.
QString withFourDigitYear(const QString& format);

// The locale's short date format with a four-digit year.
QString shortFormat(const QLocale& locale = QLocale());

// The date in that format.
QString toText(const QDate& date, const QLocale& locale = QLocale());

QDate toQDate(const CalendarDate& date);
CalendarDate fromQDate(const QDate& date);

}  // namespace DateText

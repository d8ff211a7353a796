// Short dates with four-digit years, and the conversion between Qt's dates and the stored ones.
#include "ui/DateText.h"

namespace DateText {

QString withFourDigitYear(const QString& format) {
    QString widened;
    widened.reserve(format.size() + 2);
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            quoted = !quoted;
            widened.append(c);
            ++i;
            continue;
        }
        if (quoted || c != u'y') {
            widened.append(c);
            ++i;
            continue;
        }
        qsizetype run = 0;
        while (i + run < format.size() && format.at(i + run) == u'y') {
            ++run;
        }
        widened.append(QStringLiteral("yyyy"));
        i += run;
    }
    return widened;
}

QString shortFormat(const QLocale& locale) {
    return withFourDigitYear(locale.dateFormat(QLocale::ShortFormat));
}

QString toText(const QDate& date, const QLocale& locale) {
    return locale.toString(date, shortFormat(locale));
}

QDate toQDate(const CalendarDate& date) {
    return {date.year, date.month, date.day};
}

CalendarDate fromQDate(const QDate& date) {
    return {date.year(), date.month(), date.day()};
}

}  // namespace DateText

// Short dates always carry a four-digit year, whatever the locale's own format says.
#include <QtTest>

#include "ui/DateText.h"

using namespace Qt::StringLiterals;

class DateTextTest : public QObject {
    Q_OBJECT

private slots:
    void shortDateHasFourDigitYear_data();
    void shortDateHasFourDigitYear();
};

void DateTextTest::shortDateHasFourDigitYear_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("expected");
    QTest::newRow("C") << u"C"_s << QDate(2024, 3, 5) << u"5 Mar 2024"_s;
    QTest::newRow("en_US month first") << u"en_US"_s << QDate(1905, 7, 4) << u"7/4/1905"_s;
    QTest::newRow("en_IN day first") << u"en_IN"_s << QDate(2024, 3, 5) << u"05/03/2024"_s;
    QTest::newRow("de_DE") << u"de_DE"_s << QDate(2000, 1, 1) << u"01.01.2000"_s;
    QTest::newRow("ja_JP already four digits") << u"ja_JP"_s << QDate(2024, 3, 5) << u"2024/03/05"_s;
    QTest::newRow("bg_BG quoted suffix") << u"bg_BG"_s << QDate(2024, 3, 5) << u"5.03.2024 г."_s;
}

void DateTextTest::shortDateHasFourDigitYear() {
    QFETCH(QString, locale);
    QFETCH(QDate, date);
    QFETCH(QString, expected);
    QCOMPARE(DateText::toText(date, QLocale(locale)), expected);
}

QTEST_MAIN(DateTextTest)
#include "test_DateText.moc"

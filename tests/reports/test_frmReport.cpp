// The summary report over stored income and expenses: its three figures, the balance's colour, its failures.
#include <QtTest>
#include <QtWidgets>

#include <memory>

#include "reports/frmReport.h"
#include "tests/support/WindowTestBed.h"
#include "ui/MessageBox.h"
#include "ui/Module2.h"

using namespace Qt::StringLiterals;

namespace {

// The amounts, ' ' between them, stored as records 1, 2, ...
void store(const QString& table, const QString& amounts) {
    int number = 0;
    for (const QString& amount : amounts.split(u' ', Qt::SkipEmptyParts)) {
        Module2::Connection().Execute(u"Insert Into %1 values(%2,'2024-04-01','Any',%3,'')"_s.arg(table)
                                          .arg(++number)
                                          .arg(amount)
                                          .toStdString());
    }
}

}  // namespace

class TestFrmReport : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestBed> m_bed;

private slots:
    void init() { m_bed = std::make_unique<WindowTestBed>(); }

    void cleanup() {
        m_bed.reset();
        QVERIFY(visibleTopLevelWindows().isEmpty());
    }

    void figures_data() {
        QTest::addColumn<QString>("income");
        QTest::addColumn<QString>("expenses");
        QTest::addColumn<QString>("shown");  // income | expenses | balance | the balance's colour
        const auto row = [](const char* name, const QString& income, const QString& expenses,
                            const QString& shown) { QTest::newRow(name) << income << expenses << shown; };
        row("empty tables", {}, {}, u"0|0|0.00|black"_s);
        row("income above expenses", u"1000 500"_s, u"250.75"_s, u"1500|250.75|1,249.25|black"_s);
        row("expenses above income", u"1500"_s, u"2750.5"_s, u"1500|2750.5|-1,250.50|red"_s);
        row("equal", u"1234.5"_s, u"1234.5"_s, u"1234.5|1234.5|0.00|black"_s);
        // Beyond 15 digits every digit shows, and the balance is rounded from the exact figure.
        row("sixteen digits", u"99999999999.9999 1750.745"_s, {},
            u"100000001750.7449|0|100,000,001,750.74|black"_s);
        row("wider than the label", {}, u"9999999999998"_s, u"0|9999999999998|-9,999,999,999,998.00|red"_s);
        row("beyond 64-bit integers", u"1e20 1"_s, {},
            u"100000000000000000001|0|100,000,000,000,000,000,001.00|black"_s);
        // Rounded half away from zero, the carry reaching the whole figure; rounded to zero, no sign.
        row("half a cent", u"1000.125"_s, {}, u"1000.125|0|1,000.13|black"_s);
        row("half a cent below zero", {}, u"1000.125"_s, u"0|1000.125|-1,000.13|red"_s);
        row("carried", u"999.995"_s, {}, u"999.995|0|1,000.00|black"_s);
        row("rounded to zero", u"0.001"_s, u"0.005"_s, u"0.001|0.005|0.00|red"_s);
    }

    void figures() {
        QFETCH(QString, income);
        QFETCH(QString, expenses);
        QFETCH(QString, shown);
        store(u"Income"_s, income);
        store(u"Expenses"_s, expenses);
        auto* window = new frmReport(m_bed->area());  // as the main window opens it: loading is all
        window->load();

        const QColor colour = window->LblBalance->palette().color(QPalette::WindowText);
        const QString colourName = colour == Qt::red     ? u"red"_s
                                   : colour == Qt::black ? u"black"_s
                                                         : colour.name();
        QCOMPARE(QStringList({window->LblIncome->text(), window->LblExpenses->text(),
                              window->LblBalance->text(), colourName})
                     .join(u'|'),
                 shown);
        QCOMPARE(m_bed->messages().count(), 0);
        // No figure or prompt is cut off, by its label or by the window.
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            QVERIFY2(label->sizeHint().width() <= label->width() &&
                         window->client()->rect().contains(label->geometry()),
                     qPrintable(label->objectName()));
        }
    }

    // Another program stored an expense no sum can hold.
    void failingTotalLeavesTheRestEmpty() {
        store(u"Income"_s, u"100"_s);
        store(u"Expenses"_s, u"1 9e999"_s);
        auto* window = new frmReport(m_bed->area());
        window->load();

        QCOMPARE(m_bed->messages().count(), 1);
        QCOMPARE(m_bed->messages().last().buttons, Msg::OkExclamation);
        QCOMPARE(m_bed->messages().last().prompt, u"Sum: an amount is too large to be added exactly"_s);
        QCOMPARE(window->LblIncome->text(), u"100"_s);
        QCOMPARE(window->LblExpenses->text(), QString());
        QCOMPARE(window->LblBalance->text(), QString());
        QVERIFY(window->isVisible());
    }
};

QTEST_MAIN(TestFrmReport)
#include "test_frmReport.moc"

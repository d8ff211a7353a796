// The summary report over stored income and expenses: its three figures, the balance's colour, its failures.
#include <QLabel>
#include <QMdiArea>
#include <QPointer>
#include <QtTest>

#include <memory>

#include "reports/frmReport.h"
#include "tests/support/TopLevelWindows.h"
#include "tests/support/WindowTestBed.h"
#include "ui/MessageBox.h"
#include "ui/Module2.h"

using namespace Qt::StringLiterals;

namespace {

const QColor kRed(0xFF, 0x00, 0x00);
const QColor kBlack(0x00, 0x00, 0x00);

void execute(const QString& statement) {
    Module2::Connection().Execute(statement.toStdString());
}

void store(const QString& table, const QStringList& amounts) {
    const bool income = table == u"Income"_s;
    const QString insert =
        income ? u"Insert Into Income(SrNo,IncDate,IncSource,IncAmount,IncDescription) "_s
               : u"Insert Into Expenses(SrNo,ExpDate,ExpCategory,ExpAmount,ExpDescription) "_s;
    int number = 0;
    for (const QString& amount : amounts) {
        execute(insert + u"values(%1,'2024-04-01','Any',%2,'')"_s.arg(++number).arg(amount));
    }
}

}  // namespace

class TestFrmReport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void figures_data();
    void figures();
    void failingTotalLeavesTheRestEmpty();

private:
    void open();
    QString figuresShown() const;

    std::unique_ptr<WindowTestBed> m_bed;
    QPointer<frmReport> m_window;
};

void TestFrmReport::init() {
    m_bed = std::make_unique<WindowTestBed>();
}

void TestFrmReport::cleanup() {
    m_bed.reset();
    QVERIFY(visibleTopLevelWindows().isEmpty());
}

// As the main window opens it: loading it is all.
void TestFrmReport::open() {
    m_window = new frmReport(m_bed->area());
    m_window->load();
}

void TestFrmReport::figures_data() {
    QTest::addColumn<QStringList>("income");
    QTest::addColumn<QStringList>("expenses");
    // Income | expenses | balance | the balance's colour.
    QTest::addColumn<QString>("shown");

    QTest::newRow("empty tables") << QStringList{} << QStringList{} << u"0|0|0.00|black"_s;
    QTest::newRow("income above expenses")
        << QStringList{u"1000"_s, u"500"_s} << QStringList{u"250.75"_s} << u"1500|250.75|1,249.25|black"_s;
    QTest::newRow("expenses above income")
        << QStringList{u"1500"_s} << QStringList{u"2750.5"_s} << u"1500|2750.5|-1,250.50|red"_s;
    QTest::newRow("equal") << QStringList{u"1234.5"_s} << QStringList{u"1234.5"_s}
                           << u"1234.5|1234.5|0.00|black"_s;
    QTest::newRow("a million") << QStringList{u"600000"_s, u"400000"_s} << QStringList{}
                               << u"1000000|0|1,000,000.00|black"_s;
    QTest::newRow("no income") << QStringList{} << QStringList{u"80"_s} << u"0|80|-80.00|red"_s;
    // Ten tenths must come to exactly one: a drifting sum would show 0.9999999999999999.
    QTest::newRow("tenths") << QStringList(10, u"0.1"_s) << QStringList{u"0.3"_s} << u"1|0.3|0.70|black"_s;
    // Beyond 15 digits every digit still shows, and the balance is rounded from the exact figure.
    QTest::newRow("sixteen digits") << QStringList{u"99999999999.9999"_s, u"1750.745"_s} << QStringList{}
                                    << u"100000001750.7449|0|100,000,001,750.74|black"_s;
    QTest::newRow("wider than the label")
        << QStringList{} << QStringList{u"9999999999998"_s} << u"0|9999999999998|-9,999,999,999,998.00|red"_s;
}

void TestFrmReport::figures() {
    QFETCH(QStringList, income);
    QFETCH(QStringList, expenses);
    QFETCH(QString, shown);

    store(u"Income"_s, income);
    store(u"Expenses"_s, expenses);
    open();

    QCOMPARE(figuresShown(), shown);
    QCOMPARE(m_bed->messages().count(), 0);
    // No figure or prompt is cut off, by its label or by the window.
    for (const QLabel* label : m_window->findChildren<QLabel*>()) {
        QVERIFY2(label->sizeHint().width() <= label->width() &&
                     m_window->client()->rect().contains(label->geometry()),
                 qPrintable(label->objectName()));
    }
}

QString TestFrmReport::figuresShown() const {
    const QColor colour = m_window->LblBalance->palette().color(QPalette::WindowText);
    const QString colourName = colour == kRed ? u"red"_s : colour == kBlack ? u"black"_s : colour.name();
    return QStringList{m_window->LblIncome->text(), m_window->LblExpenses->text(),
                       m_window->LblBalance->text(), colourName}
        .join(u'|');
}

void TestFrmReport::failingTotalLeavesTheRestEmpty() {
    store(u"Income"_s, {u"100"_s});
    execute(u"Alter Table Expenses Rename To Elsewhere"_s);
    open();

    QCOMPARE(m_bed->messages().count(), 1);
    QCOMPARE(m_bed->messages().last().buttons, Msg::OkExclamation);
    QVERIFY(m_bed->messages().last().prompt.contains(u"Expenses"_s));
    QCOMPARE(m_window->LblIncome->text(), u"100"_s);
    QCOMPARE(m_window->LblExpenses->text(), QString());
    QCOMPARE(m_window->LblBalance->text(), QString());
    QVERIFY(m_window->isVisible());
}

QTEST_MAIN(TestFrmReport)
#include "test_frmReport.moc"

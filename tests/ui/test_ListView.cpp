// The list view over result-set rows: a well-behaved model, cells in their shown form, header, clicks.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest>

#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "data/Recordset.h"
#include "tests/support/TestProgramFolder.h"
#include "ui/ListView.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

class ListViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void modelPassesTheTester();
    void cellShowsItsValue_data();
    void cellShowsItsValue();
    void columnsAndIcon();
    void firstPaintDoubleClickAndSelection();

private:
    std::shared_ptr<const RowStore> rows(const char* query);
    void fill(ListView& list, const char* query);

    TestProgramFolder m_folder;
    Connection m_connection;
};

void ListViewTest::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    m_connection.Open(ConnectionString::forProgramFolder(m_folder.path().toStdString()));
    m_connection.Execute(
        "Insert Into Income values (1,'2024-01-05','Salary',1500,'x'),(2,NULL,'Rent',0,NULL)");
}

std::shared_ptr<const RowStore> ListViewTest::rows(const char* query) {
    Recordset records;
    records.Open(query, m_connection, Recordset::adOpenStatic, Recordset::adLockBatchOptimistic);
    return records.rows();
}

void ListViewTest::fill(ListView& list, const char* query) {
    const auto store = rows(query);
    for (std::size_t row = 0; row < store->rowCount(); ++row) {
        list.appendRow(store, row, 5, 1);
    }
}

void ListViewTest::modelPassesTheTester() {
    ListView list(nullptr);
    QAbstractItemModelTester tester(list.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    list.setColumns({{u"###"_s, 0, Qt::AlignLeft}, {u"Date"_s, 1200, Qt::AlignHCenter}});
    fill(list, "Select * from Income");
    QCoreApplication::processEvents();
    // Rows of another store, and a store's rows out of order, each make a range of their own.
    const auto other = rows("Select 7, 'Seven' union all select 8, 'Eight'");
    list.appendRow(other, 1, 2, 1);
    list.appendRow(other, 0, 2, 1);
    QCOMPARE(list.itemCount(), 4);
    QCOMPARE(list.cellText(2, 1), u"Eight"_s);
    QCOMPARE(list.cellText(3, 0), u"7"_s);
    list.setImageList({QIcon()});
    list.clearItems();
    QCOMPARE(list.itemCount(), 0);
}

void ListViewTest::cellShowsItsValue_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty text") << u"Select ''"_s << QString();
    QTest::newRow("whole amount") << u"Select 1500.0"_s << u"1500"_s;
    QTest::newRow("decimals without trailing zeros") << u"Select 12.50"_s << u"12.5"_s;
    QTest::newRow("large amount without exponent") << u"Select 123456789012.25"_s << u"123456789012.25"_s;
    QTest::newRow("text as stored") << u"Select ' O''Brien  '"_s << u" O'Brien  "_s;
    QTest::newRow("non-ASCII text") << u"Select 'Gehalt für März'"_s << u"Gehalt für März"_s;
    QTest::newRow("date in the short form, four-digit year")
        << u"Select IncDate from Income"_s << u"1/5/2024"_s;
}

void ListViewTest::cellShowsItsValue() {
    QFETCH(QString, query);
    QFETCH(QString, shown);
    ListView list(nullptr);
    list.setColumns({{u"###"_s, 0, Qt::AlignLeft}, {u"Value"_s, 1000, Qt::AlignLeft}});
    list.appendRow(rows(qPrintable(u"Select 1, "_s + query.mid(7))), 0, 5, 1);
    QCOMPARE(list.cellText(0, 1), shown);
    QCOMPARE(list.model()->index(0, 1).data().toString(), shown);
}

void ListViewTest::columnsAndIcon() {
    ListView list(nullptr);
    list.setColumns({{u"###"_s, 0, Qt::AlignLeft}, {u"Amount"_s, 1000, Qt::AlignRight}});
    list.setImageList({QIcon(QPixmap(16, 16))});
    fill(list, "Select * from Income");
    QCOMPARE(list.itemCount(), 2);
    const QAbstractItemModel& model = *list.model();
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), u"Amount"_s);
    QCOMPARE(list.horizontalHeader()->sectionSize(0), 0);
    QCOMPARE(list.horizontalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    QCOMPARE(list.horizontalHeader()->sectionSize(1), Twips::toPixels(1000));
    QCOMPARE(model.index(0, 1).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    QVERIFY(!model.index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    QVERIFY(!model.index(0, 1).data(Qt::DecorationRole).isValid());
}

void ListViewTest::firstPaintDoubleClickAndSelection() {
    ListView list(nullptr);
    list.setColumns({{u"###"_s, 0, Qt::AlignLeft}, {u"Category"_s, 2500, Qt::AlignLeft}});
    list.resize(300, 200);
    // A fill and a paint with no event between them, as when a window fills its list while it opens.
    fill(list, "Select * from Income");
    list.grab();
    QCOMPARE(list.indexAt(list.visualRect(list.model()->index(1, 1)).center()).row(), 1);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy doubleClicks(&list, &ListView::DblClick);
    QCOMPARE(list.selectedItemText(), QString());

    const QRect second = list.visualRect(list.model()->index(1, 1));
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(doubleClicks.count(), 1);
    QCOMPARE(list.selectedItemText(), u"2"_s);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, QPoint(second.center().x(), 180));
    QCOMPARE(doubleClicks.count(), 2);

    list.selectRow(0);
    QCOMPARE(list.selectedItemText(), u"1"_s);
    list.clearItems();
    QVERIFY(!list.hasSelection());
    QCOMPARE(list.selectedItemText(), QString());
}

QTEST_MAIN(ListViewTest)
#include "test_ListView.moc"

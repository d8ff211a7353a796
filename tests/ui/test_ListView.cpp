// The list view over result-set rows: a well-behaved model, cells in their shown form, keys that pick.
#include <QtTest>
#include <QtWidgets>

#include "data/Recordset.h"
#include "tests/datasupport/TempDatabase.h"
#include "ui/ListView.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

class ListViewTest : public QObject {
    Q_OBJECT

    TempDatabase m_book;

    std::shared_ptr<const RowStore> rows(const QString& query) {
        Recordset records;
        records.Open(query.toStdString(), m_book.connection(), Recordset::adOpenStatic,
                     Recordset::adLockBatchOptimistic);
        return records.rows();
    }

    void fillIncome(ListView& list) {
        const auto store = rows(u"Select * from Income"_s);
        for (std::size_t row = 0; row < store->rowCount(); ++row) {
            list.appendRow(store, row, 5, 1);
        }
    }

private slots:
    void initTestCase() {
        m_book.connection().Execute(
            "Insert Into Income values (1,'2024-01-05','Salary',1500,'x'),(2,NULL,'Rent',0,NULL)");
        m_book.connection().Execute(
            "Insert Into Expenses values (1,'2024-03-05','Rent',1,''),(2,'1905-07-04','Rent',1,'')");
    }

    // Header, widths and alignment as set, the record number's column and its image out of the view; rows
    // there at the first paint; the model consistent through a fill, another store's rows out of order, a new
    // image list and a clear.
    void modelColumnsAndIcon() {
        ListView list(nullptr);
        QAbstractItemModelTester tester(list.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        list.setColumns({{u"###"_s, 0, Qt::AlignLeft}, {u"Amount"_s, 1000, Qt::AlignRight}});
        list.setImageList({QIcon(QPixmap(16, 16))});
        list.resize(300, 200);
        // A fill and a paint with no event between them, as when a window fills its list while it opens.
        fillIncome(list);
        list.grab();
        QCOMPARE(list.indexAt(list.visualRect(list.model()->index(1, 0)).center()).row(), 1);
        const QAbstractItemModel& model = *list.model();
        QCOMPARE(model.columnCount(), 1);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), u"Amount"_s);
        QCOMPARE(list.horizontalHeader()->sectionSize(0), Twips::toPixels(1000));
        QCOMPARE(model.index(0, 0).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
        QVERIFY(!model.index(0, 0).data(Qt::DecorationRole).isValid());

        const auto other = rows(u"Select 7, 'Seven' union all select 8, 'Eight'"_s);
        list.appendRow(other, 1, 2, 1);
        list.appendRow(other, 0, 2, 1);
        QCOMPARE(list.itemCount(), 4);
        QCOMPARE(list.cellText(2, 1), u"Eight"_s);
        QCOMPARE(list.cellText(3, 0), u"7"_s);
        list.setImageList({QIcon()});
        list.clearItems();
        QCOMPARE(list.itemCount(), 0);
    }

    // Amounts another program stored in their plain form whatever the locale, to 15 digits and never with an
    // exponent; dates in the locale's short form, with a four-digit year whatever the locale's format says.
    void cellShowsItsValue_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("shown");
        QTest::newRow("sum of doubles") << u"de_DE"_s << u"Select 0.1 + 0.2"_s << u"0.3"_s;
        QTest::newRow("beyond 64-bit integers")
            << u"de_DE"_s << u"Select 1e20"_s << u"100000000000000000000"_s;
        QTest::newRow("seven decimals") << u"de_DE"_s << u"Select 1e-7"_s << u"0.0000001"_s;
        QTest::newRow("infinity") << u"C"_s << u"Select 9e999"_s << u"Infinity"_s;
        const QString date = u"Select ExpDate from Expenses where SrNo=%1"_s;
        QTest::newRow("date, en_US month first") << u"en_US"_s << date.arg(2) << u"7/4/1905"_s;
        QTest::newRow("date, ja_JP already four digits") << u"ja_JP"_s << date.arg(1) << u"2024/03/05"_s;
        QTest::newRow("date, bg_BG quoted suffix") << u"bg_BG"_s << date.arg(1) << u"5.03.2024 г."_s;
    }

    void cellShowsItsValue() {
        QFETCH(QString, locale);
        QFETCH(QString, query);
        QFETCH(QString, shown);
        QLocale::setDefault(QLocale(locale));
        ListView list(nullptr);
        list.setColumns({{u"###"_s, 0, Qt::AlignLeft}, {u"Value"_s, 1000, Qt::AlignLeft}});
        list.appendRow(rows(u"Select 1, "_s + query.mid(7)), 0, 5, 1);
        QCOMPARE(list.cellText(0, 1), shown);
        QCOMPARE(list.model()->index(0, 0).data().toString(), shown);
    }

    // The arrows select a row and Enter picks it, as a double-click does; with no row, Enter picks nothing.
    void enterPicksTheSelectedRow() {
        ListView list(nullptr);
        list.setColumns({{u"###"_s, 0, Qt::AlignLeft}, {u"Category"_s, 2500, Qt::AlignLeft}});
        fillIncome(list);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QSignalSpy picks(&list, &ListView::DblClick);
        QTest::keyClick(&list, Qt::Key_Down);
        QTest::keyClick(&list, Qt::Key_Down);
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(picks.count(), 1);
        QCOMPARE(list.selectedItemText(), u"2"_s);
        list.clearItems();
        QTest::keyClick(&list, Qt::Key_Enter);
        QCOMPARE(picks.count(), 1);
        QCOMPARE(list.selectedItemText(), QString());
    }
};

QTEST_MAIN(ListViewTest)
#include "test_ListView.moc"

// The shared window routines over a real database: combo and list filling, centring, the amount filter.
#include <QLineEdit>
#include <QMdiArea>
#include <QtTest>

#include <memory>

#include "data/Recordset.h"
#include "tests/support/WindowTestBed.h"
#include "ui/ChildWindow.h"
#include "ui/ListView.h"
#include "ui/Module2.h"
#include "ui/SimpleCombo.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

class WindowRoutinesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init();
    void cleanup() { m_bed.reset(); }
    void fillCombo_data();
    void fillCombo();
    void centerForm();
    void checkNumeric_data();
    void checkNumeric();
    void fillListView_data();
    void fillListView();

private:
    std::unique_ptr<WindowTestBed> m_bed;
};

void WindowRoutinesTest::init() {
    m_bed = std::make_unique<WindowTestBed>();
    Module2::Connection().Execute(
        "Insert Into GMaster values (3,'Salary','2'),(1,'bonus','2'),(2,'Rent','1'),(4,NULL,'2'),"
        "(5,'O''Brien & Sons','2')");
    Module2::Connection().Execute(
        "Insert Into Income values (1,'2024-01-05','Salary',1500,'January pay'),(2,NULL,NULL,0,''),"
        "(3,'2024-02-29','Rent',12.5,NULL)");
}

void WindowRoutinesTest::fillCombo_data() {
    // The query, each entry the box then lists as "number:text", and a part of the message shown.
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("entries");
    QTest::addColumn<QString>("message");
    QTest::newRow("sources by name, null name blank")
        << u"Select SrNo,GName from GMaster where GType='2' order by GName"_s
        << u"4:, 1:bonus, 5:O'Brien & Sons, 3:Salary"_s << QString();
    QTest::newRow("null number gives 0")
        << u"Select NULL,GName from GMaster where GType='1'"_s << u"0:Rent"_s << QString();
    QTest::newRow("no rows empties the box")
        << u"Select SrNo,GName from GMaster where GType='3'"_s << QString() << QString();
    QTest::newRow("failing query keeps the old entries")
        << u"Select SrNo,GName from Nowhere"_s << u"9:Old"_s << u"no such table: Nowhere"_s;
    QTest::newRow("failure part-way keeps the rows read")
        << u"Select CASE WHEN SrNo=3 THEN 5000000000 ELSE SrNo END,GName from GMaster order by SrNo"_s
        << u"1:bonus, 2:Rent, 0:Salary"_s << u"5000000000"_s;
}

void WindowRoutinesTest::fillCombo() {
    QFETCH(QString, query);
    QFETCH(QString, entries);
    QFETCH(QString, message);
    MessageRecorder& messages = m_bed->messages();
    SimpleCombo combo(nullptr);
    combo.setItemData(combo.addItem(u"Old"_s), 9);

    Module2::FillCombo(combo, query.toStdString());

    QStringList shown;
    for (int i = 0; i < combo.count(); ++i) {
        shown << QString::number(combo.itemData(i)) + u':' + combo.itemText(i);
    }
    QCOMPARE(shown.join(u", "_s), entries);
    QCOMPARE(messages.count(), message.isEmpty() ? 0 : 1);
    // Shown plainly, without an icon.
    const MessageRecorder::Message box = messages.last();
    QVERIFY2(
        message.isEmpty() || (box.prompt.contains(message) && box.buttons == 0 && box.title == u"Orvella"_s),
        qPrintable(box.prompt));
}

void WindowRoutinesTest::centerForm() {
    QMdiArea area;
    area.resize(200, 150);  // the formula looks at the screen, not at the frame
    const QSize screen = Twips::screenSize();
    for (const QSize client : {QSize(4575, 3315), QSize(30000, 20000)}) {
        auto* window = new ChildWindow(&area, client.width(), client.height());
        Module2::CenterForm(*window);
        QCOMPARE(window->x(), qRound((screen.width() - window->widthTwips()) / 2.0 / Twips::kPerPixel));
        QCOMPARE(window->y(), qRound((screen.height() - window->heightTwips()) / 6.0 / Twips::kPerPixel));
        // A window larger than the screen is not pulled back onto it.
        QCOMPARE(window->x() < 0 && window->y() < 0, client.width() > screen.width());
        // Placed once: a later change of width keeps the left edge.
        const QPoint placed = window->pos();
        window->setWidthTwips(5040);
        QCOMPARE(window->pos(), placed);
    }
}

void WindowRoutinesTest::checkNumeric_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("kept");
    for (const char* emptied : {"abc", "-5", "1,000", "12.34567"}) {
        QTest::newRow(emptied) << QString::fromLatin1(emptied) << false;
    }
    for (const char* kept : {"0", "-0", "12.50"}) {
        QTest::newRow(kept) << QString::fromLatin1(kept) << true;
    }
    QTest::newRow("empty stays empty") << QString() << true;
}

// Wired as the amount box is: the filter runs on every change, its own emptying included, and ends there.
void WindowRoutinesTest::checkNumeric() {
    QFETCH(QString, text);
    QFETCH(bool, kept);
    QLineEdit box;
    int changes = 0;
    connect(&box, &QLineEdit::textChanged, &box, [&] {
        QVERIFY(++changes < 10);
        Module2::CheckNumeric(box);
    });
    box.setText(text);
    QCOMPARE(box.text(), kept ? text : QString());
    QCOMPARE(changes, text.isEmpty() ? 0 : kept ? 1 : 2);
}

void WindowRoutinesTest::fillListView_data() {
    // The list's columns, the fields asked for, how often it is filled (0: once, from a closed result set),
    // and the rows it then shows, "|" between cells.
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("fieldCount");
    QTest::addColumn<int>("passes");
    QTest::addColumn<QString>("rows");
    QTest::newRow("twice: each record once; null blank, zero 0, fifth field without column")
        << u"Select * from Income"_s << 4 << 5 << 2
        << u"1|1/5/2024|Salary|1500\n2|||0\n3|2/29/2024|Rent|12.5"_s;
    QTest::newRow("fewer fields than asked for")
        << u"Select SrNo,GName from GMaster WHERE GType='1'"_s << 4 << 5 << 1 << u"2|Rent||"_s;
    QTest::newRow("fewer fields asked for than there are")
        << u"Select * from Income where SrNo=1"_s << 4 << 2 << 1 << u"1|1/5/2024||"_s;
    QTest::newRow("row without a record number keeps its own values")
        << u"Select CASE WHEN SrNo=2 THEN NULL ELSE SrNo END,IncAmount from Income"_s << 2 << 5 << 1
        << u"1|1500\n|0\n3|12.5"_s;
    QTest::newRow("empty result set") << u"Select * from Income where SrNo=9"_s << 4 << 5 << 1 << QString();
    QTest::newRow("closed result set") << u"Select * from Income"_s << 4 << 5 << 0 << QString();
}

void WindowRoutinesTest::fillListView() {
    QFETCH(QString, query);
    QFETCH(int, columns);
    QFETCH(int, fieldCount);
    QFETCH(int, passes);
    QFETCH(QString, rows);
    ListView list(nullptr);
    list.setColumns(
        std::vector<ListView::Column>(static_cast<std::size_t>(columns), {u"C"_s, 1000, Qt::AlignLeft}));
    Recordset earlier;
    earlier.Open("Select SrNo,GName from GMaster", Module2::Connection(), Recordset::adOpenStatic,
                 Recordset::adLockBatchOptimistic);
    Module2::FillListView(list, earlier, 5, 1);
    Recordset records;
    records.Open(query.toStdString(), Module2::Connection(), Recordset::adOpenStatic,
                 Recordset::adLockBatchOptimistic);
    if (passes == 0) {
        records.Close();
    }

    for (int pass = 0; pass < std::max(passes, 1); ++pass) {
        Module2::FillListView(list, records, static_cast<unsigned char>(fieldCount), 1);
    }

    QStringList shown;
    for (int row = 0; row < list.itemCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < columns; ++column) {
            cells << list.cellText(row, column);
        }
        shown << cells.join(u'|');
    }
    QCOMPARE(shown.join(u'\n'), rows);
    QVERIFY(passes == 0 || (records.State() == Recordset::adStateOpen && records.Eof()));
}

QTEST_MAIN(WindowRoutinesTest)
#include "test_WindowRoutines.moc"

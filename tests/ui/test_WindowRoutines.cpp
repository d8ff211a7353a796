// The shared window routines over a real database: combo and list filling, centring, the amount filter.
#include <QLineEdit>
#include <QMdiArea>
#include <QtTest>

#include <memory>

#include "data/ConnectionString.h"
#include "data/Recordset.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TestProgramFolder.h"
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
    void cleanup();
    void fillCombo_data();
    void fillCombo();
    void centerForm();
    void checkNumeric_data();
    void checkNumeric();
    void checkNumericNeverLoops();
    void fillListView_data();
    void fillListView();

private:
    void execute(const char* statement) { Module2::Connection().Execute(statement); }
    std::unique_ptr<TestProgramFolder> m_folder;
};

void WindowRoutinesTest::init() {
    m_folder = std::make_unique<TestProgramFolder>();
    Module2::Connection().Open(ConnectionString::forProgramFolder(m_folder->path().toStdString()));
    execute(
        "Insert Into GMaster values (3,'Salary','2'),(1,'bonus','2'),(2,'Rent','1'),(4,NULL,'2'),"
        "(5,'O''Brien & Sons','2')");
    execute(
        "Insert Into Income values (1,'2024-01-05','Salary',1500,'January pay'),(2,NULL,NULL,0,''),"
        "(3,'2024-02-29','Rent',12.5,NULL)");
}

void WindowRoutinesTest::cleanup() {
    Module2::Connection().Close();
    m_folder.reset();
}

void WindowRoutinesTest::fillCombo_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QString>("message");
    QTest::newRow("sources by name, null name blank")
        << u"Select SrNo,GName from GMaster where GType='2' order by GName"_s
        << QStringList{u""_s, u"bonus"_s, u"O'Brien & Sons"_s, u"Salary"_s} << QList<int>{4, 1, 5, 3}
        << QString();
    QTest::newRow("null number gives 0") << u"Select NULL,GName from GMaster where GType='1'"_s
                                         << QStringList{u"Rent"_s} << QList<int>{0} << QString();
    QTest::newRow("no rows empties the box")
        << u"Select SrNo,GName from GMaster where GType='3'"_s << QStringList{} << QList<int>{} << QString();
    QTest::newRow("failing query keeps the old entries")
        << u"Select SrNo,GName from Nowhere"_s << QStringList{u"Old"_s} << QList<int>{9}
        << u"no such table: Nowhere"_s;
    QTest::newRow("failure part-way keeps the rows read")
        << u"Select CASE WHEN SrNo=3 THEN 5000000000 ELSE SrNo END,GName from GMaster order by SrNo"_s
        << QStringList{u"bonus"_s, u"Rent"_s, u"Salary"_s} << QList<int>{1, 2, 0} << u"5000000000"_s;
}

void WindowRoutinesTest::fillCombo() {
    QFETCH(QString, query);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, numbers);
    QFETCH(QString, message);
    MessageRecorder messages;
    SimpleCombo combo(nullptr);
    combo.setItemData(combo.addItem(u"Old"_s), 9);

    Module2::FillCombo(combo, query.toStdString());

    QStringList shownTexts;
    QList<int> shownNumbers;
    for (int i = 0; i < combo.count(); ++i) {
        shownTexts << combo.itemText(i);
        shownNumbers << combo.itemData(i);
    }
    QCOMPARE(shownTexts, texts);
    QCOMPARE(shownNumbers, numbers);
    QCOMPARE(messages.count(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QVERIFY2(messages.last().prompt.contains(message), qPrintable(messages.last().prompt));
        QCOMPARE(messages.last().buttons, 0);
        QCOMPARE(messages.last().title, u"Orvella"_s);
    }
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
    for (const char* emptied : {"abc", "-", ".", "-1", "1,000", "12.34567"}) {
        QTest::newRow(emptied) << QString::fromLatin1(emptied) << false;
    }
    for (const char* kept : {"0", "-0", "12.50", "1e3"}) {
        QTest::newRow(kept) << QString::fromLatin1(kept) << true;
    }
    QTest::newRow("empty stays empty") << QString() << true;
}

void WindowRoutinesTest::checkNumeric() {
    QFETCH(QString, text);
    QFETCH(bool, kept);
    QLineEdit box(text);
    Module2::CheckNumeric(box);
    QCOMPARE(box.text(), kept ? text : QString());
}

void WindowRoutinesTest::checkNumericNeverLoops() {
    // Wired as the amount box is: the filter runs on every change, its own emptying included.
    QLineEdit box;
    int changes = 0;
    connect(&box, &QLineEdit::textChanged, &box, [&] {
        QVERIFY(++changes < 10);
        Module2::CheckNumeric(box);
    });
    QTest::keyClicks(&box, u"5"_s);
    QCOMPARE(changes, 1);
    QTest::keyClick(&box, Qt::Key_Home);
    QTest::keyClicks(&box, u"-"_s);
    QCOMPARE(box.text(), QString());
    QCOMPARE(changes, 3);  // "-5", then the emptying; emptying the empty box again notifies nobody
    box.setText(QString());
    QCOMPARE(changes, 3);
}

void WindowRoutinesTest::fillListView_data() {
    const QString date1 = u"1/5/2024"_s;
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("fieldCount");
    QTest::addColumn<int>("passes");  // 0: once, on the result set closed
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::newRow("twice: each record once; null blank, zero 0, fifth field without column")
        << u"Select * from Income"_s << 4 << 5 << 2
        << QList<QStringList>{{u"1"_s, date1, u"Salary"_s, u"1500"_s, u""_s},
                              {u"2"_s, u""_s, u""_s, u"0"_s, u""_s},
                              {u"3"_s, u"2/29/2024"_s, u"Rent"_s, u"12.5"_s, u""_s}};
    QTest::newRow("fewer fields than asked for")
        << u"Select SrNo,GName from GMaster WHERE GType='1'"_s << 4 << 5 << 1
        << QList<QStringList>{{u"2"_s, u"Rent"_s, u""_s, u""_s}};
    QTest::newRow("fewer fields asked for than there are")
        << u"Select * from Income where SrNo=1"_s << 4 << 2 << 1
        << QList<QStringList>{{u"1"_s, date1, u""_s, u""_s}};
    QTest::newRow("row without a record number keeps its own values")
        << u"Select CASE WHEN SrNo=2 THEN NULL ELSE SrNo END,IncAmount from Income"_s << 2 << 5 << 1
        << QList<QStringList>{{u"1"_s, u"1500"_s}, {u""_s, u"0"_s}, {u"3"_s, u"12.5"_s}};
    QTest::newRow("empty result set")
        << u"Select * from Income where SrNo=9"_s << 4 << 5 << 1 << QList<QStringList>{};
    QTest::newRow("closed result set") << u"Select * from Income"_s << 4 << 5 << 0 << QList<QStringList>{};
}

void WindowRoutinesTest::fillListView() {
    QFETCH(QString, query);
    QFETCH(int, columns);
    QFETCH(int, fieldCount);
    QFETCH(int, passes);
    QFETCH(QList<QStringList>, rows);
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

    QCOMPARE(list.itemCount(), rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows[row].size(); ++column) {
            QCOMPARE(list.cellText(row, column), rows[row][column]);
        }
    }
    QVERIFY(passes == 0 || (records.State() == Recordset::adStateOpen && records.Eof()));
}

QTEST_MAIN(WindowRoutinesTest)
#include "test_WindowRoutines.moc"

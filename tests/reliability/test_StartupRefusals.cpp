// Start-up over a damaged or foreign database file: refused, no window, the file left byte for byte.
#include <QDir>
#include <QFile>
#include <QtTest>

#include <sqlite3.h>

#include "app/Main.h"
#include "app/Program.h"
#include "data/SqliteHandles.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TestProgramFolder.h"
#include "tests/support/TopLevelWindows.h"

using namespace Qt::StringLiterals;

namespace {

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Runs statements on the file behind the program's back, as another tool would.
bool runOn(const QString& path, const char* statements) {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    const SqliteDb db(raw);
    return opened == SQLITE_OK && sqlite3_exec(raw, statements, nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace

class StartupRefusalsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QTRY_VERIFY(visibleTopLevelWindows().isEmpty()); }
    void damagedOrForeignFileIsRefusedUntouched_data();
    void damagedOrForeignFileIsRefusedUntouched();
};

void StartupRefusalsTest::damagedOrForeignFileIsRefusedUntouched_data() {
    // How the file is spoilt, and a word the description must hold so the user knows what is wrong.
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no Database folder") << u"remove"_s << u"unable to open database file"_s;
    QTest::newRow("garbage") << u"garbage"_s << u"not a database"_s;
    QTest::newRow("zero bytes") << u"zero"_s << u"is missing"_s;
    QTest::newRow("truncated to two pages") << u"truncate:8192"_s << u"malformed"_s;
    QTest::newRow("truncated inside the header") << u"truncate:60"_s << u"malformed"_s;
    QTest::newRow("catalogue page overwritten") << u"corrupt:100"_s << u"malformed"_s;
    QTest::newRow("income page overwritten") << u"corrupt:8192"_s << u"damaged"_s;
    QTest::newRow("table missing") << u"sql:Drop Table Expenses"_s << u"The table Expenses is missing."_s;
    QTest::newRow("columns in another order")
        << u"sql:Drop Table Income; Create Table Income (SrNo INTEGER PRIMARY KEY, IncSource TEXT, "
           "IncDate DATE, IncAmount REAL, IncDescription TEXT)"_s
        << u"IncSource, IncDate"_s;
    QTest::newRow("column missing")
        << u"sql:Drop Table GMaster; Create Table GMaster (SrNo INTEGER PRIMARY KEY, GName TEXT)"_s
        << u"The table GMaster has the columns SrNo, GName"_s;
    QTest::newRow("no key")
        << u"sql:Drop Table GMaster; Create Table GMaster (SrNo INTEGER, GName TEXT, GType TEXT)"_s
        << u"SrNo is not the INTEGER PRIMARY KEY, so a record number can be stored twice. Run orvella-db upgrade"_s;
    QTest::newRow("text-typed SrNo")
        << u"sql:Drop Table Expenses; Create Table Expenses (SrNo TEXT PRIMARY KEY, ExpDate DATE, "
           "ExpCategory TEXT, ExpAmount REAL, ExpDescription TEXT)"_s
        << u"Expenses.SrNo is declared TEXT; the program needs INTEGER."_s;
    QTest::newRow("a view")
        << u"sql:Alter Table Income Rename To Kept; Create View Income As Select * From Kept"_s
        << u"The table Income is a view, not a table. Run orvella-db upgrade"_s;
}

void StartupRefusalsTest::damagedOrForeignFileIsRefusedUntouched() {
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    TestProgramFolder folder;
    const QString path = folder.databasePath();
    // Some rows, so the damaged file holds more than the bare tables.
    QVERIFY(runOn(path,
                  "Insert Into GMaster values(1,'Salary','2');"
                  "Insert Into Income values(1,'2024-01-05','Salary',1500,'January')"));
    QByteArray healthy = contentsOf(path);
    QVERIFY(healthy.size() >= 8192);

    const QString how = damage.section(u':', 0, 0);
    const QString argument = damage.section(u':', 1);
    if (how == u"remove"_s) {
        QVERIFY(QDir(folder.path() + u"/Database"_s).removeRecursively());
    } else if (how == u"garbage"_s) {
        QVERIFY(writeFile(path, QByteArray("\x01\xfe garbage \x7f").repeated(1000)));
    } else if (how == u"zero"_s) {
        QVERIFY(writeFile(path, QByteArray()));
    } else if (how == u"truncate"_s) {
        QVERIFY(writeFile(path, healthy.left(argument.toInt())));
    } else if (how == u"corrupt"_s) {
        // From the given offset to the end of that page.
        const int start = argument.toInt();
        const int length = 4096 - start % 4096;
        healthy.replace(start, length, QByteArray(length, '\xa5'));
        QVERIFY(writeFile(path, healthy));
    } else {
        QVERIFY(runOn(path, argument.toUtf8().constData()));
    }
    const QByteArray before = contentsOf(path);
    const QStringList filesBefore = QDir(folder.path() + u"/Database"_s).entryList(QDir::Files);

    MessageRecorder messages;
    int windowsAtMessage = -1;
    messages.onMessage(
        [&](const MessageRecorder::Message&) { windowsAtMessage = visibleTopLevelWindows().size(); });
    Program program;

    const std::optional<int> status = Main(program);

    QVERIFY(status.has_value() && *status != 0);
    QCOMPARE(messages.count(), 1);
    QVERIFY2(messages.last().prompt.contains(u"Database.mdb"_s), qPrintable(messages.last().prompt));
    QVERIFY2(messages.last().prompt.contains(reason), qPrintable(messages.last().prompt));
    QCOMPARE(messages.last().buttons, 48);
    QCOMPARE(windowsAtMessage, 0);
    QVERIFY(program.mainWindow() == nullptr);
    QCOMPARE(contentsOf(path), before);
    QCOMPARE(QDir(folder.path() + u"/Database"_s).entryList(QDir::Files), filesBefore);
    QCOMPARE(QFile::exists(path), how != u"remove"_s);
}

QTEST_MAIN(StartupRefusalsTest)
#include "test_StartupRefusals.moc"

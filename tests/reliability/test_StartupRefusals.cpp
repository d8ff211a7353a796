// Start-up over a damaged, foreign or read-only book: refused, no window, the file left byte for byte.
#include <QtTest>

#include "app/Main.h"
#include "app/Program.h"
#include "tests/datasupport/StoredText.h"
#include "tests/support/InjectedFault.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TestProgramFolder.h"
#include "tests/support/TopLevelWindows.h"
#include "ui/Module2.h"

using namespace Qt::StringLiterals;

namespace {

// Every file beside the book, and the book's bytes by their hash.
QStringList bookFolder(const QString& path) {
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    return QFileInfo(path).dir().entryList(QDir::Files)
           << QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

}  // namespace

class StartupRefusalsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InjectedFault::installDiskLayer(); }
    void cleanup() { QTRY_VERIFY(visibleTopLevelWindows().isEmpty()); }
    void damagedOrForeignFileIsRefusedUntouched_data();
    void damagedOrForeignFileIsRefusedUntouched();
};

void StartupRefusalsTest::damagedOrForeignFileIsRefusedUntouched_data() {
    // How the file is spoilt (its bytes from an offset overwritten, cut to a length, or statements run on
    // it), and a word the description must hold so the user knows what is wrong.
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no Database folder") << u"remove folder"_s << u"unable to open database file"_s;
    QTest::newRow("no file in the folder") << u"remove file"_s << u"unable to open database file"_s;
    QTest::newRow("garbage") << u"garbage"_s << u"not a database"_s;
    QTest::newRow("zero bytes") << u"cut:0"_s << u"is missing"_s;
    QTest::newRow("truncated to two pages") << u"cut:8192"_s << u"malformed"_s;
    QTest::newRow("truncated inside the header") << u"cut:60"_s << u"malformed"_s;
    QTest::newRow("catalogue page overwritten") << u"overwrite:100"_s << u"malformed"_s;
    QTest::newRow("income page overwritten") << u"overwrite:8192"_s << u"damaged"_s;
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
    // Once writable again, the book opens.
    QTest::newRow("read-only file") << u"read-only"_s << u"the file is read-only"_s;
}

void StartupRefusalsTest::damagedOrForeignFileIsRefusedUntouched() {
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    TestProgramFolder folder;
    const QString path = folder.databasePath();
    // Some rows, so the damaged file holds more than the bare tables.
    runBehind(path.toStdString(),
              "Insert Into GMaster values(1,'Salary','2');"
              "Insert Into Income values(1,'2024-01-05','Salary',1500,'January')");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const QString how = damage.section(u':', 0, 0);
    const int at = damage.section(u':', 1).toInt();
    if (how == u"sql"_s) {
        runBehind(path.toStdString(), damage.section(u':', 1).toStdString());
    } else if (how == u"remove file"_s) {
        QVERIFY(file.remove());
    } else if (how == u"remove folder"_s) {
        QVERIFY(QDir(folder.path() + u"/Database"_s).removeRecursively());
    } else if (how != u"read-only"_s) {
        if (how == u"garbage"_s) {
            bytes = QByteArray("\x01\xfe garbage \x7f").repeated(1000);
        } else if (how == u"cut"_s) {
            bytes.truncate(at);
        } else {
            bytes.replace(at, 4096 - at % 4096, QByteArray(4096 - at % 4096, '\xa5'));  // to the page's end
        }
        QVERIFY(file.resize(0) && file.write(bytes) == bytes.size());
    }
    file.close();
    const QStringList before = bookFolder(path);
    std::optional<InjectedFault> readOnly;
    if (how == u"read-only"_s) {
        readOnly.emplace(how, folder.path());
    }

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
    QCOMPARE(bookFolder(path), before);
    if (readOnly) {
        readOnly.reset();
        Program again;
        QCOMPARE(Main(again), std::nullopt);
        QCOMPARE(messages.count(), 1);
        again.closeWindows();
        Module2::Connection().Close();
    }
}

QTEST_MAIN(StartupRefusalsTest)
#include "test_StartupRefusals.moc"

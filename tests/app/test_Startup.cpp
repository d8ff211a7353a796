// Start-up in the process and as a real program: one program per book, the splash, the main window; a
// damaged, foreign or read-only book refused with no window, the file left byte for byte; a book whose
// program was killed while saving found sound.
#include <QtTest>

#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "app/MDIForm1.h"
#include "app/Main.h"
#include "app/Program.h"
#include "data/Schema.h"
#include "tests/datasupport/StoredText.h"
#include "tests/support/InjectedFault.h"
#include "tests/support/StoredRows.h"
#include "tests/support/WindowTestBed.h"
#include "ui/Module2.h"

using namespace Qt::StringLiterals;
namespace fs = std::filesystem;

namespace {

// Starts `./<name>` in its folder (a name of any bytes) with these variables added, as nobody if asked.
void start(QProcess& process, const fs::path& folder, const QString& name, const QStringList& variables,
           bool asNobody = false) {
    process.setChildProcessModifier([folder = folder.native()] {
        if (::chdir(folder.c_str()) != 0) {
            ::_exit(127);
        }
    });
    QStringList command = QStringList{u"env"_s} + variables + QStringList{u"./"_s + name};
    if (asNobody) {
        command = QStringList{u"setpriv"_s, u"--reuid=nobody"_s, u"--regid=nogroup"_s, u"--clear-groups"_s} +
                  command;
    }
    process.start(command.takeFirst(), command);
    QVERIFY(process.waitForStarted());
}

QByteArray firstLineOf(const fs::path& file) {
    std::ifstream stream(file);
    std::string line;
    std::getline(stream, line);
    return QByteArray::fromStdString(line);
}

// Every file beside the book, and the book's bytes by their hash.
QStringList bookFolder(const QString& path) {
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    return QFileInfo(path).dir().entryList(QDir::Files)
           << QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InjectedFault::installDiskLayer(); }
    void cleanup() { QTRY_VERIFY(visibleTopLevelWindows().isEmpty()); }

    void startThenSecondCopyIsRefused() {
        TestProgramFolder folder;
        MessageRecorder messages;
        QWidgetList windowsAtMessage;
        messages.onMessage(
            [&](const MessageRecorder::Message&) { windowsAtMessage = visibleTopLevelWindows(); });
        Program first;

        QCOMPARE(Main(first), std::nullopt);

        QCOMPARE(messages.count(), 0);
        QVERIFY(first.mainWindow()->isVisible());
        QCOMPARE(Module2::Connection().State(), 1);
        // The splash is still up when Main returns and goes with the frame's first activation.
        QVERIFY(first.splash()->isVisible());
        QTRY_VERIFY(first.mainWindow()->isActiveWindow());
        QTRY_COMPARE(visibleTopLevelWindows(), QWidgetList{first.mainWindow()});

        Program second;
        QCOMPARE(Main(second), std::optional<int>(0));

        QCOMPARE(messages.told(), u"Application is already running"_s);
        QCOMPARE(windowsAtMessage, QWidgetList{first.mainWindow()});
        QVERIFY(second.mainWindow() == nullptr);
        QCOMPARE(visibleTopLevelWindows(), QWidgetList{first.mainWindow()});
        QCOMPARE(Module2::Connection().State(), 1);
    }

    void realProgramKeepsToItsOwnBook_data() {
        // The folder's name, what ran on the book before, how the program starts, and what it shows.
        QTest::addColumn<QByteArray>("folderName");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, const QString& before, const QString& how,
                            const QString& shown = u"shown"_s,
                            const QByteArray& folder = QByteArray("orvella")) {
            QTest::newRow(name) << folder << before << how << shown;
        };
        row("folder name not UTF-8", {}, {}, u"shown"_s, QByteArray("caf\xe9"));
        row("folder name holding ; and \\", {}, {}, u"shown"_s, QByteArray("a;b\\c"));
        row("another executable with runtime folders of its own", u"running"_s, u"copy"_s,
            u"message 64 Application is already running"_s);
        row("lock of a killed copy", u"killed"_s, {});
        row("lock of a killed copy its parent has not collected", u"zombie"_s, {});
        // When the tests cannot switch user: the killed copy's lock made read-only.
        row("lock of another user's killed copy", u"killed"_s, u"other user"_s);
        row("process number reused by another program", u"number reused"_s, {});
        // As nobody in root's folder, or in a folder made read-only.
        row("no lock can be made in the folder", {}, u"folder not writable"_s,
            u"message 48 Cannot make the lock"_s);
    }

    void realProgramKeepsToItsOwnBook() {
        QFETCH(QByteArray, folderName);
        QFETCH(QString, before);
        QFETCH(QString, how);
        QFETCH(QString, shown);
        QTemporaryDir root;
        const fs::path folder = fs::path(root.path().toStdString()) / folderName.toStdString();
        const fs::path books = folder / "Database";
        const fs::path lock = books / "Database.mdb.lock";
        fs::create_directories(books);
        fs::copy_file(ORVELLA_PROGRAM, folder / "orvella");
        fs::copy_file(ORVELLA_PROGRAM, folder / "orvella-2");
        Schema::createDatabase((books / "Database.mdb").native());
        QProcess first;
        // The folder's name may be no text at all: removed byte for byte, made writable first.
        auto removeFolder = qScopeGuard([&] {
            first.kill();
            first.waitForFinished();
            std::error_code ignored;
            fs::permissions(books, fs::perms::owner_all, fs::perm_options::add, ignored);
            fs::remove_all(folder, ignored);
        });
        if (before == u"running"_s || before == u"killed"_s) {
            start(first, folder, u"orvella"_s, {});
            QTRY_COMPARE_WITH_TIMEOUT(firstLineOf(lock), QByteArray::number(first.processId()), 60000);
        }
        if (before == u"killed"_s) {
            first.kill();
            QVERIFY(first.waitForFinished());
        } else if (before == u"zombie"_s) {
            // Its parent, a shell that became `sleep`, never collects it: the killed copy stays a zombie.
            first.setWorkingDirectory(QString::fromStdString(folder.native()));
            first.start(u"sh"_s, {u"-c"_s, u"./orvella & echo $!; exec sleep 600"_s});
            QVERIFY(first.waitForReadyRead(60000));
            const QByteArray copy = first.readLine().trimmed();
            QTRY_COMPARE_WITH_TIMEOUT(firstLineOf(lock), copy, 60000);
            QCOMPARE(::kill(copy.toInt(), SIGKILL), 0);
            QTRY_VERIFY(firstLineOf("/proc/" + copy.toStdString() + "/stat").contains(") Z "));
        } else if (before == u"number reused"_s) {
            std::ofstream(lock) << QCoreApplication::applicationPid() << "\norvella\n"
                                << QSysInfo::machineHostName().toStdString() << "\n";
        }
        const bool asNobody = ::geteuid() == 0 && (how == u"other user"_s || how == u"folder not writable"_s);
        if (asNobody) {
            fs::permissions(root.path().toStdString(), fs::perms::others_exec, fs::perm_options::add);
        }
        if (how == u"other user"_s && asNobody) {
            const uid_t nobody = 65534;
            QVERIFY(::chown(books.c_str(), nobody, nobody) == 0 &&
                    ::chown((books / "Database.mdb").c_str(), nobody, nobody) == 0);
        } else if (how == u"other user"_s) {
            fs::permissions(lock, fs::perms::owner_read);
        } else if (how == u"folder not writable"_s && !asNobody) {
            fs::permissions(books, fs::perms::owner_write, fs::perm_options::remove);
        }
        QStringList variables{u"ORVELLA_STARTUP_PROBE=1"_s};
        if (how == u"copy"_s) {
            variables << u"XDG_RUNTIME_DIR="_s + root.path() << u"TMPDIR="_s + root.path();
        }

        QProcess program;
        start(program, folder, how == u"copy"_s ? u"orvella-2"_s : u"orvella"_s, variables, asNobody);
        const qint64 pid = program.processId();
        QVERIFY(program.waitForFinished(60000));

        const QString output = QString::fromUtf8(program.readAllStandardOutput());
        QVERIFY2(output.startsWith(shown),
                 qPrintable(output + QString::fromUtf8(program.readAllStandardError())));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        if (shown == u"shown"_s) {
            // Its lock lies beside its own book: the probe ends the program where it stands.
            QCOMPARE(firstLineOf(lock), QByteArray::number(pid));
        } else if (shown.startsWith(u"message 64"_s)) {
            QCOMPARE(program.exitCode(), 0);
            QCOMPARE(firstLineOf(lock), QByteArray::number(first.processId()));
        } else {
            QVERIFY(program.exitCode() != 0);
            QVERIFY2(output.contains(QString::fromStdString(books.native())), qPrintable(output));
            QVERIFY(!fs::exists(lock));
        }
    }

    void damagedOrForeignFileIsRefusedUntouched_data() {
        // How the file is spoilt, and words the description must hold so the user knows what is wrong.
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

    void damagedOrForeignFileIsRefusedUntouched() {
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
                bytes.replace(at, 4096 - at % 4096,
                              QByteArray(4096 - at % 4096, '\xa5'));  // to the page's end
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

    // A process killed in the middle of a series of saves leaves a sound file holding every reported save.
    void savedRecordsSurviveTheKill_data() {
        QTest::addColumn<int>("round");
        for (int round = 1; round <= 5; ++round) {
            QTest::newRow(qPrintable(u"round %1"_s.arg(round))) << round;
        }
    }

    void savedRecordsSurviveTheKill() {
        TestProgramFolder folder;
        QProcess saver;
        saver.start(QString::fromUtf8(ORVELLA_SAVE_SERIES), {folder.path()});
        QVERIFY(saver.waitForStarted());
        // A different moment each round: after some saves, then at once, with no regard to where a save is.
        const int before = static_cast<int>(QRandomGenerator::global()->bounded(5, 120));
        QByteArray printed;
        while (printed.count('\n') < before) {
            QVERIFY2(saver.waitForReadyRead(30000), saver.readAllStandardError().constData());
            printed += saver.readAllStandardOutput();
        }
        QTest::qWait(static_cast<int>(QRandomGenerator::global()->bounded(0, 40)));
        saver.kill();
        QVERIFY(saver.waitForFinished());
        QCOMPARE(saver.exitStatus(), QProcess::CrashExit);
        printed += saver.readAllStandardOutput();

        // The file is sound and holds every save reported, with its amount and without gaps; at most the one
        // save under way when the kill came is there unreported.
        Module2::Connection().Open(ConnectionString::forProgramFolder(folder.path().toStdString()));
        QCOMPARE(storedRows(u"PRAGMA integrity_check"_s), u"ok"_s);
        const QStringList rows =
            storedRows(u"Select SrNo, IncAmount from Income order by SrNo"_s).split(u'\n');
        Module2::Connection().Close();
        const qsizetype reported = printed.count('\n');
        QVERIFY(reported >= before && printed.endsWith('\n'));
        QVERIFY2(rows.size() == reported || rows.size() == reported + 1,
                 qPrintable(QString::number(rows.size())));
        for (qsizetype number = 1; number <= rows.size(); ++number) {
            QCOMPARE(rows.at(number - 1), u"%1|%1.25"_s.arg(number));
        }
    }
};

QTEST_MAIN(StartupTest)
#include "test_Startup.moc"

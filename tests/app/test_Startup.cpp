// Start-up in the process: the single-copy rule, the splash, the connection and the main window.
#include <QDateTime>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QtTest>

#include "app/MDIForm1.h"
#include "app/Main.h"
#include "app/Program.h"
#include "app/SingleInstance.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TestProgramFolder.h"
#include "tests/support/TopLevelWindows.h"
#include "ui/Module2.h"

using namespace Qt::StringLiterals;

namespace {

template <typename Window>
int visibleCount() {
    const QWidgetList windows = visibleTopLevelWindows();
    return int(
        std::count_if(windows.cbegin(), windows.cend(), [](QWidget* w) { return qobject_cast<Window*>(w); }));
}

std::string connectionStringFor(const TestProgramFolder& folder) {
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + folder.path().toStdString() +
           "\\Database\\Database.mdb";
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QTRY_VERIFY(visibleTopLevelWindows().isEmpty()); }
    void normalStartShowsMainWindowThenClosesSplash();
    void secondCopyIsRefusedAndFirstUntouched();
    void lockOfCrashedCopyDoesNotBlock();
};

void StartupTest::normalStartShowsMainWindowThenClosesSplash() {
    TestProgramFolder folder;
    MessageRecorder messages;
    Program program(folder.path() + u"/orvella"_s);

    QCOMPARE(Main(program), std::nullopt);

    QCOMPARE(messages.count(), 0);
    QVERIFY(program.mainWindow()->isVisible());
    QCOMPARE(Module2::ConnString(), connectionStringFor(folder));
    QCOMPARE(Module2::Connection().State(), 1);
    // The splash is still up when Main returns and goes with the frame's first activation.
    QVERIFY(program.splash()->isVisible());
    QTRY_VERIFY(program.mainWindow()->isActiveWindow());
    QTRY_COMPARE(visibleCount<frmSplash>(), 0);
}

void StartupTest::secondCopyIsRefusedAndFirstUntouched() {
    TestProgramFolder folder;
    const QString executable = folder.path() + u"/orvella"_s;
    MessageRecorder messages;
    Program first(executable);
    QCOMPARE(Main(first), std::nullopt);
    QTRY_COMPARE(visibleCount<frmSplash>(), 0);
    // A copy that has run for a month still holds its lock.
    QFile lockFile(SingleInstance::lockFilePath(executable));
    QVERIFY(lockFile.open(QIODevice::ReadWrite));
    QVERIFY(
        lockFile.setFileTime(QDateTime::currentDateTime().addDays(-30), QFileDevice::FileModificationTime));
    lockFile.close();

    // The second copy would run over another folder: it must not get as far as looking at it.
    TestProgramFolder otherFolder(TestProgramFolder::Contents::NoDatabase);
    int splashesAtMessage = -1;
    messages.onMessage(
        [&](const MessageRecorder::Message&) { splashesAtMessage = visibleCount<frmSplash>(); });
    Program second(executable);

    QCOMPARE(Main(second), std::optional<int>(0));

    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().prompt, u"Application is already running"_s);
    QCOMPARE(messages.last().buttons, 64);
    QCOMPARE(messages.last().title, u"Orvella"_s);
    QCOMPARE(splashesAtMessage, 0);
    QVERIFY(second.mainWindow() == nullptr);
    QCOMPARE(visibleCount<MDIForm1>(), 1);
    QCOMPARE(Module2::ConnString(), connectionStringFor(folder));
    QCOMPARE(Module2::Connection().State(), 1);
}

void StartupTest::lockOfCrashedCopyDoesNotBlock() {
    TestProgramFolder folder;
    const QString executable = folder.path() + u"/orvella"_s;
    const QString lockPath = SingleInstance::lockFilePath(executable);
    // A lock file as a crashed copy leaves it: the process id in it no longer runs.
    QByteArray contents;
    {
        QLockFile lock(lockPath);
        QVERIFY(lock.tryLock(0));
        QFile file(lockPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        contents = file.readAll();
    }
    QProcess ended;
    ended.start(u"true"_s, {});
    QVERIFY(ended.waitForStarted());
    const qint64 deadPid = ended.processId();
    QVERIFY(ended.waitForFinished());
    QList<QByteArray> lines = contents.split('\n');
    lines[0] = QByteArray::number(deadPid);
    QFile stale(lockPath);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write(lines.join('\n'));
    stale.close();

    MessageRecorder messages;
    Program program(executable);

    QCOMPARE(Main(program), std::nullopt);
    QCOMPARE(messages.count(), 0);
    QVERIFY(program.mainWindow()->isVisible());
}

QTEST_MAIN(StartupTest)
#include "test_Startup.moc"

// A process killed in the middle of a series of saves leaves a sound file holding every reported save.
#include <QtTest>

#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "tests/support/StoredRows.h"
#include "tests/support/TestProgramFolder.h"
#include "ui/Module2.h"

using namespace Qt::StringLiterals;

class KilledWhileSavingTest : public QObject {
    Q_OBJECT

private slots:
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

QTEST_MAIN(KilledWhileSavingTest)
#include "test_KilledWhileSaving.moc"

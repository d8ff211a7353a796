// Handlers run through the guard: a failure becomes one message, stops its handler and nothing else.
#include <QAction>
#include <QtTest>

#include <stdexcept>

#include "data/DbError.h"
#include "tests/support/MessageRecorder.h"
#include "ui/Guard.h"

using namespace Qt::StringLiterals;

class GuardTest : public QObject {
    Q_OBJECT

private slots:
    void failureBecomesMessage_data();
    void failureBecomesMessage();
    void guardedSlotsKeepProgramGoing();
    void queuedMessageWaitsForEvent();
};

void GuardTest::failureBecomesMessage_data() {
    QTest::addColumn<QString>("thrown");
    QTest::addColumn<QString>("expected");
    QTest::newRow("database error") << u"no such table: Income"_s << u"no such table: Income"_s;
    QTest::newRow("non-ASCII description")
        << u"Kein Zugriff auf »Database.mdb«"_s << u"Kein Zugriff auf »Database.mdb«"_s;
    QTest::newRow("empty description") << QString() << u"An unexpected error occurred."_s;
    QTest::newRow("not a std::exception") << u"42"_s << u"An unexpected error occurred."_s;
}

void GuardTest::failureBecomesMessage() {
    QFETCH(QString, thrown);
    QFETCH(QString, expected);
    MessageRecorder messages;
    bool after = false;

    const bool finished = runGuarded([&] {
        if (thrown == u"42"_s) {
            throw 42;
        }
        throw DbError(thrown.toStdString());
        after = true;
    });

    QVERIFY(!finished);
    QVERIFY(!after);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().prompt, expected);
    QCOMPARE(messages.last().buttons, 48);
    QCOMPARE(messages.last().title, u"Orvella"_s);
}

void GuardTest::guardedSlotsKeepProgramGoing() {
    MessageRecorder messages;
    QAction action;
    action.setCheckable(true);
    QList<bool> seen;
    QObject::connect(&action, &QAction::toggled, &action, guard([&](bool checked) {
        seen.append(checked);
        if (checked) {
            throw std::runtime_error("Disk full");
        }
    }));
    struct Receiver {
        int calls = 0;
        void onTriggered() { ++calls; }
    } receiver;
    QObject::connect(&action, &QAction::triggered, &action, guard(&receiver, &Receiver::onTriggered));

    action.trigger();
    action.trigger();

    QCOMPARE(seen, (QList<bool>{true, false}));
    QCOMPARE(receiver.calls, 2);
    QCOMPARE(messages.count(), 1);
}

void GuardTest::queuedMessageWaitsForEvent() {
    MessageRecorder messages;

    QVERIFY(!runGuardedQueued([] { throw DbError("Duplicate name"); }));

    QCOMPARE(messages.count(), 0);
    QTRY_COMPARE(messages.count(), 1);
    QCOMPARE(messages.last().prompt, u"Duplicate name"_s);
    QCOMPARE(messages.last().buttons, 48);
}

QTEST_MAIN(GuardTest)
#include "test_Guard.moc"

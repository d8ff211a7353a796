// Messages: the real box gives each code its icon and buttons and the button pressed its answer; handlers
// run through the guard turn a failure into one message that stops the handler.
#include <QtTest>
#include <QtWidgets>

#include "data/DbError.h"
#include "tests/support/WindowTestBed.h"
#include "ui/Guard.h"
#include "ui/MessageBox.h"

using namespace Qt::StringLiterals;

class MessageBoxTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QTRY_VERIFY(visibleTopLevelWindows().isEmpty()); }

    void codeGivesIconButtonsAndAnswer_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("answer");
        const int ok = QMessageBox::Ok;
        const int yesNo = QMessageBox::Yes | QMessageBox::No;
        QTest::newRow("0 OK") << 0 << int(QMessageBox::NoIcon) << ok << ok << 1;
        QTest::newRow("36 Yes") << 36 << int(QMessageBox::Question) << yesNo << int(QMessageBox::Yes) << 6;
        QTest::newRow("36 No") << 36 << int(QMessageBox::Question) << yesNo << int(QMessageBox::No) << 7;
        QTest::newRow("48 OK") << 48 << int(QMessageBox::Warning) << ok << ok << 1;
        QTest::newRow("52 No") << 52 << int(QMessageBox::Warning) << yesNo << int(QMessageBox::No) << 7;
        QTest::newRow("64 OK") << 64 << int(QMessageBox::Information) << ok << ok << 1;
    }

    void codeGivesIconButtonsAndAnswer() {
        QFETCH(int, code);
        QFETCH(int, icon);
        QFETCH(int, buttons);
        QFETCH(int, press);
        QFETCH(int, answer);
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            shown << QString::number(box->icon()) << QString::number(box->standardButtons()) << box->text()
                  << box->windowTitle();
            QAbstractButton* button = box->button(QMessageBox::StandardButton(press));
            (button != nullptr ? button : box->buttons().constFirst())->click();
        });

        QCOMPARE(MsgBox(u"Saved successfully\r\n\r\nNext record"_s, code), answer);
        QCOMPARE(shown, (QStringList{QString::number(icon), QString::number(buttons),
                                     u"Saved successfully\n\nNext record"_s, u"Orvella"_s}));
    }

    void failureBecomesOneMessage_data() {
        QTest::addColumn<QString>("thrown");
        QTest::addColumn<bool>("queued");
        QTest::addColumn<QString>("shown");
        QTest::newRow("non-ASCII description")
            << u"Kein Zugriff auf »Database.mdb«"_s << false << u"Kein Zugriff auf »Database.mdb«"_s;
        QTest::newRow("empty description") << QString() << false << u"An unexpected error occurred."_s;
        QTest::newRow("not a std::exception") << u"42"_s << false << u"An unexpected error occurred."_s;
        QTest::newRow("queued until the event is over") << u"Duplicate name"_s << true << u"Duplicate name"_s;
    }

    void failureBecomesOneMessage() {
        QFETCH(QString, thrown);
        QFETCH(bool, queued);
        QFETCH(QString, shown);
        MessageRecorder messages;
        bool after = false;
        const auto handler = [&] {
            if (thrown == u"42"_s) {
                throw 42;
            }
            throw DbError(thrown.toStdString());
            after = true;
        };

        QVERIFY(!(queued ? runGuardedQueued(handler) : runGuarded(handler)));
        QVERIFY(!after);
        QCOMPARE(messages.count(), queued ? 0 : 1);
        QTRY_COMPARE(messages.count(), 1);
        QCOMPARE(messages.told(), u"failed: "_s + shown);
    }
};

QTEST_MAIN(MessageBoxTest)
#include "test_MessageBox.moc"

// The real message box: each code gives its icon and buttons, and the button pressed gives its answer.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include "tests/support/TopLevelWindows.h"
#include "ui/MessageBox.h"

using namespace Qt::StringLiterals;

class MessageBoxTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QTRY_VERIFY(visibleTopLevelWindows().isEmpty()); }
    void codeGivesIconButtonsAndAnswer_data();
    void codeGivesIconButtonsAndAnswer();
};

void MessageBoxTest::codeGivesIconButtonsAndAnswer_data() {
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

void MessageBoxTest::codeGivesIconButtonsAndAnswer() {
    QFETCH(int, code);
    QFETCH(int, icon);
    QFETCH(int, buttons);
    QFETCH(int, press);
    QFETCH(int, answer);
    int shownIcon = -1;
    int shownButtons = -1;
    QString shownText;
    QString shownTitle;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll.stop();
            shownIcon = box->icon();
            shownButtons = int(box->standardButtons());
            shownText = box->text();
            shownTitle = box->windowTitle();
            QAbstractButton* button = box->button(QMessageBox::StandardButton(press));
            (button != nullptr ? button : box->buttons().constFirst())->click();
        }
    });
    poll.start(5);

    QCOMPARE(MsgBox(u"Saved successfully\r\n\r\nNext record"_s, code), answer);
    QCOMPARE(shownIcon, icon);
    QCOMPARE(shownButtons, buttons);
    QCOMPARE(shownText, u"Saved successfully\n\nNext record"_s);
    QCOMPARE(shownTitle, u"Orvella"_s);
}

QTEST_MAIN(MessageBoxTest)
#include "test_MessageBox.moc"

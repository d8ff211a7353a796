// The main window: its menus and toolbar as laid out, the exit question, the download and About commands.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "app/FormAbout.h"
#include "app/MDIForm1.h"
#include "app/MainStatusBar.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TopLevelWindows.h"
#include "tests/support/UrlRecorder.h"

using namespace Qt::StringLiterals;

namespace {

QToolButton* toolbarButton(const MDIForm1& window, const QString& caption) {
    for (QAction* action : window.Toolbar1->actions()) {
        auto* button = qobject_cast<QToolButton*>(window.Toolbar1->widgetForAction(action));
        if (button != nullptr && button->text() == caption) {
            return button;
        }
    }
    return nullptr;
}

}  // namespace

class MDIForm1Test : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QTRY_VERIFY(visibleTopLevelWindows().isEmpty()); }
    void menuBarAsLaidOut_data();
    void menuBarAsLaidOut();
    void toolbarAsLaidOut();
    void namePanelGivesWayToMinimum_data();
    void namePanelGivesWayToMinimum();
    void exitQuestion_data();
    void exitQuestion();
    void downloadOpensSourceAddress();
    void aboutIsModalFixedToolWindow();
};

void MDIForm1Test::menuBarAsLaidOut_data() {
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("menu bar") << QString()
                              << QStringList{u"MnuMaster"_s, u"MnuTransactions"_s, u"MnuReports"_s,
                                             u"MnuAbout"_s,  u"mnuDownload"_s,     u"MnuExit"_s}
                              << QStringList{u"&Master"_s,
                                             u"&Transactions"_s,
                                             u"&Reports"_s,
                                             u"&About"_s,
                                             u"&Download Program Source Code"_s,
                                             u"&Exit"_s};
    QTest::newRow("Master") << u"MnuMaster"_s << QStringList{u"MnuIncomeSource"_s, u"MnuExpCategory"_s}
                            << QStringList{u"&Income Source"_s, u"&Exp. Category"_s};
    QTest::newRow("Transactions") << u"MnuTransactions"_s << QStringList{u"MnuIncome"_s, u"MnuExpenses"_s}
                                  << QStringList{u"&Income"_s, u"&Expenses"_s};
}

void MDIForm1Test::menuBarAsLaidOut() {
    QFETCH(QString, parent);
    QFETCH(QStringList, names);
    QFETCH(QStringList, captions);
    MDIForm1 window;
    const QList<QAction*> items =
        parent.isEmpty() ? window.menuBar()->actions() : window.findChild<QMenu*>(parent)->actions();
    QStringList shownNames;
    QStringList shownCaptions;
    for (const QAction* item : items) {
        shownNames << item->objectName();
        shownCaptions << item->text();
        QVERIFY(item->shortcut().isEmpty() && !item->isCheckable() && item->isEnabled());
    }
    QCOMPARE(shownNames, names);
    QCOMPARE(shownCaptions, captions);
}

void MDIForm1Test::toolbarAsLaidOut() {
    MDIForm1 window;
    QStringList laidOut;
    for (QAction* action : window.Toolbar1->actions()) {
        auto* button = qobject_cast<QToolButton*>(window.Toolbar1->widgetForAction(action));
        if (action->isSeparator() || button == nullptr) {
            laidOut << u"|"_s;
            continue;
        }
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QVERIFY(!button->icon().pixmap(32).isNull());
        laidOut << button->text();
    }
    QCOMPARE(laidOut, (QStringList{u"Master"_s, u"|"_s, u"Income"_s, u"|"_s, u"Expenses"_s, u"|"_s,
                                   u"Report"_s, u"|"_s, u"Exit"_s}));
    QToolButton* master = toolbarButton(window, u"Master"_s);
    QCOMPARE(master->popupMode(), QToolButton::MenuButtonPopup);
    QStringList entries;
    for (const QAction* entry : master->menu()->actions()) {
        entries << entry->text();
    }
    QCOMPARE(entries, (QStringList{u"Income Source"_s, u"Exp. Category"_s}));
}

void MDIForm1Test::namePanelGivesWayToMinimum_data() {
    QTest::addColumn<int>("frameWidth");
    QTest::addColumn<QList<int>>("panelWidths");
    QTest::newRow("wide frame") << 1280 << QList<int>{470, 96, 96, 96, 96};
    QTest::newRow("narrow frame") << 600 << QList<int>{280, 96, 96, 96, 96};
}

void MDIForm1Test::namePanelGivesWayToMinimum() {
    QFETCH(int, frameWidth);
    QFETCH(QList<int>, panelWidths);
    MDIForm1 window;
    window.resize(frameWidth, 600);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QList<int> widths;
    for (int panel = 0; panel < 5; ++panel) {
        widths << window.StatusBar1->panel(panel)->width();
    }
    QCOMPARE(widths, panelWidths);
    QCOMPARE(window.StatusBar1->panel(0)->text(), u"O r v e l l a  (Version 1.0.1)"_s);
    QVERIFY(window.StatusBar1->panel(0)->font().bold());
}

void MDIForm1Test::exitQuestion_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("answer");
    for (const QString& from : {u"menu"_s, u"toolbar"_s, u"frame close"_s}) {
        QTest::addRow("%s, Yes", qPrintable(from)) << from << 6;
        QTest::addRow("%s, No", qPrintable(from)) << from << 7;
    }
}

void MDIForm1Test::exitQuestion() {
    QFETCH(QString, from);
    QFETCH(int, answer);
    MessageRecorder messages;
    messages.answer({answer});
    MDIForm1 window;
    window.showMaximizedAndActive();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* entry = new QLineEdit;
    QPointer<QMdiSubWindow> child = window.mdiArea->addSubWindow(entry);
    child->show();
    entry->setText(u"Rent for March"_s);

    // The program's own event loop: it ends with 0 only when the answer ends the program.
    constexpr int kStillRunning = 99;
    QTimer::singleShot(0, &window, [&] {
        if (from == u"menu"_s) {
            window.MnuExit->trigger();
        } else if (from == u"toolbar"_s) {
            QTest::mouseClick(toolbarButton(window, u"Exit"_s), Qt::LeftButton);
        } else {
            window.close();
        }
    });
    QTimer giveUp;
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(kStillRunning); });
    giveUp.start(200);
    const int status = QCoreApplication::exec();

    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().prompt, u"Are you sure you want to Exit?"_s);
    QCOMPARE(messages.last().buttons, 36);
    QCOMPARE(messages.last().title, u"Orvella"_s);
    QCOMPARE(status, answer == 6 ? 0 : kStillRunning);
    // On No nothing has closed, the child keeping what was typed; on Yes the loop's end does the rest.
    QVERIFY(window.isVisible() && child && child->isVisible());
    QCOMPARE(entry->text(), u"Rent for March"_s);
}

void MDIForm1Test::downloadOpensSourceAddress() {
    UrlRecorder urls;
    MDIForm1 window;
    window.mnuDownload->trigger();
    QCOMPARE(urls.urls(), QList<QUrl>{QUrl(u"http://orvella.example.org/sourcecode"_s)});
}

void MDIForm1Test::aboutIsModalFixedToolWindow() {
    MDIForm1 window;
    window.showMaximizedAndActive();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    bool shown = false;
    bool modalAndFixed = false;
    Qt::WindowFlags flags;
    QString title;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* about = qobject_cast<FormAbout*>(QApplication::activeModalWidget());
        if (about != nullptr && about->isVisible()) {
            poll.stop();
            shown = true;
            modalAndFixed = about->isModal() && about->minimumSize() == about->maximumSize();
            flags = about->windowFlags();
            title = about->windowTitle();
            about->close();
        }
    });
    poll.start(5);

    window.MnuAbout->trigger();

    QVERIFY(shown);
    QVERIFY(modalAndFixed);
    QCOMPARE(flags & (Qt::WindowType_Mask | Qt::WindowMinMaxButtonsHint), Qt::Tool);
    QCOMPARE(title, u"About Orvella 1.0"_s);
    QCOMPARE(visibleTopLevelWindows(), QWidgetList{&window});
}

QTEST_MAIN(MDIForm1Test)
#include "test_MDIForm1.moc"

// The main window: its spoken name, its menus and toolbar as laid out, its status bar, the exit question and
// the About box.
#include <QtTest>
#include <QtWidgets>

#include "app/FormAbout.h"
#include "app/MDIForm1.h"
#include "app/MainStatusBar.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TopLevelWindows.h"

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

// Each item's caption ("|" for a separator), a disabled one marked so.
QString captions(const QList<QAction*>& items) {
    QStringList shown;
    for (const QAction* item : items) {
        shown << (item->isSeparator() ? u"|"_s : item->text()) +
                     (item->isEnabled() ? u""_s : u" (disabled)"_s);
    }
    return shown.join(u", "_s);
}

}  // namespace

class MDIForm1Test : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QTRY_VERIFY(visibleTopLevelWindows().isEmpty()); }
    void menusAndToolbarAsShown();
    void namePanelGivesWayToMinimum_data();
    void namePanelGivesWayToMinimum();
    void exitQuestion_data();
    void exitQuestion();
    void aboutIsModalFixedToolWindow();
};

void MDIForm1Test::menusAndToolbarAsShown() {
    MDIForm1 window;
    QCOMPARE(QAccessible::queryAccessibleInterface(&window)->text(QAccessible::Name), u"Orvella"_s);
    QCOMPARE(captions(window.menuBar()->actions()),
             u"&Master, &Transactions, &Reports, &About, &Download Program Source Code, &Exit"_s);
    QCOMPARE(captions(window.findChild<QMenu*>(u"MnuMaster"_s)->actions()),
             u"&Income Source, &Exp. Category"_s);
    QCOMPARE(captions(window.findChild<QMenu*>(u"MnuTransactions"_s)->actions()), u"&Income, &Expenses"_s);
    QStringList toolbar;
    for (QAction* action : window.Toolbar1->actions()) {
        auto* button = qobject_cast<QToolButton*>(window.Toolbar1->widgetForAction(action));
        toolbar << (action->isSeparator() || button == nullptr ? u"|"_s : button->text());
        QVERIFY(toolbar.last() == u"|"_s || (button->toolButtonStyle() == Qt::ToolButtonTextUnderIcon &&
                                             !button->icon().pixmap(32).isNull()));
    }
    QCOMPARE(toolbar.join(u", "_s), u"Master, |, Income, |, Expenses, |, Report, |, Exit"_s);
    QToolButton* master = toolbarButton(window, u"Master"_s);
    QCOMPARE(master->popupMode(), QToolButton::MenuButtonPopup);
    QCOMPARE(captions(master->menu()->actions()), u"Income Source, Exp. Category"_s);
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
    QTimer::singleShot(200, &window, [] { QCoreApplication::exit(kStillRunning); });
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

void MDIForm1Test::aboutIsModalFixedToolWindow() {
    MDIForm1 window;
    window.showMaximizedAndActive();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QString seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* about = qobject_cast<FormAbout*>(QApplication::activeModalWidget());
        if (about != nullptr && about->isVisible()) {
            poll.stop();
            const bool fixed = about->minimumSize() == about->maximumSize();
            const Qt::WindowFlags kind =
                about->windowFlags() & (Qt::WindowType_Mask | Qt::WindowMinMaxButtonsHint);
            seen = about->windowTitle() + (about->isModal() ? u", modal"_s : u""_s) +
                   (fixed ? u", fixed size"_s : u""_s) + (kind == Qt::Tool ? u", tool window"_s : u""_s);
            about->close();
        }
    });
    poll.start(5);

    window.MnuAbout->trigger();

    QCOMPARE(seen, u"About Orvella 1.0, modal, fixed size, tool window"_s);
    QCOMPARE(visibleTopLevelWindows(), QWidgetList{&window});
}

QTEST_MAIN(MDIForm1Test)
#include "test_MDIForm1.moc"

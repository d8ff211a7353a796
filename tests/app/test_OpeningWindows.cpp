// The main window opens each working window once; the master window's opening keeps caption, label and kind
// together, even when its list cannot be filled; the active window's access keys come before the main menu's.
#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QToolBar>
#include <QtTest>

#include <sqlite3.h>

#include <memory>

#include "app/MDIForm1.h"
#include "data/ConnectionString.h"
#include "data/SqliteHandles.h"
#include "master/frmGMaster.h"
#include "reports/frmReport.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TestProgramFolder.h"
#include "tests/support/TopLevelWindows.h"
#include "tests/support/UrlRecorder.h"
#include "transactions/frmExpenses.h"
#include "transactions/frmIncome.h"
#include "ui/ListView.h"
#include "ui/Module2.h"
#include "ui/SimpleCombo.h"

using namespace Qt::StringLiterals;

class OpeningWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void masterModesShareOneWindow_data();
    void masterModesShareOneWindow();
    void failedFillStillCompletesTheOpening();
    void reportOpensOnceAndKeepsItsFigures();
    void transactionWindowsOpenOnceEach();
    void accessKeysOfTheActiveWindowComeFirst_data();
    void accessKeysOfTheActiveWindowComeFirst();

private:
    void trigger(const QString& menuItem);

    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<MDIForm1> m_window;
};

void OpeningWindowsTest::init() {
    m_folder = std::make_unique<TestProgramFolder>();
    Module2::Connection().Open(ConnectionString::forProgramFolder(m_folder->path().toStdString()));
    Module2::MasterType().clear();
    Module2::Connection().Execute("Insert Into GMaster(SrNo,GName,GType) values(1,'Salary','2')");
    Module2::Connection().Execute("Insert Into GMaster(SrNo,GName,GType) values(2,'Rent','1')");
    Module2::Connection().Execute("Insert Into GMaster(SrNo,GName,GType) values(3,'Food','1')");
    m_window = std::make_unique<MDIForm1>();
    m_window->show();
}

void OpeningWindowsTest::cleanup() {
    m_window.reset();
    Module2::Connection().Close();
    m_folder.reset();
    QTRY_VERIFY(visibleTopLevelWindows().isEmpty());
}

void OpeningWindowsTest::trigger(const QString& menuItem) {
    m_window->findChild<QAction*>(menuItem)->trigger();
}

void OpeningWindowsTest::masterModesShareOneWindow_data() {
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("entries");
    QTest::newRow("income sources") << QStringList{u"MnuIncomeSource"_s} << u"  Income Source Master"_s
                                    << u"Source : "_s << u"2"_s << 1;
    QTest::newRow("expense categories") << QStringList{u"MnuExpCategory"_s} << u"  Exp. Category Master"_s
                                        << u"Exp. Category : "_s << u"1"_s << 2;
    QTest::newRow("categories, then sources") << QStringList{u"MnuExpCategory"_s, u"MnuIncomeSource"_s}
                                              << u"  Income Source Master"_s << u"Source : "_s << u"2"_s << 1;
    QTest::newRow("sources, then categories twice")
        << QStringList{u"MnuIncomeSource"_s, u"MnuExpCategory"_s, u"MnuExpCategory"_s}
        << u"  Exp. Category Master"_s << u"Exp. Category : "_s << u"1"_s << 2;
}

void OpeningWindowsTest::masterModesShareOneWindow() {
    QFETCH(QStringList, commands);
    QFETCH(QString, caption);
    QFETCH(QString, label);
    QFETCH(QString, kind);
    QFETCH(int, entries);
    QPointer<frmGMaster> first;
    for (const QString& command : commands) {
        trigger(command);
        if (!first) {
            first = m_window->masterWindow();
        }
    }
    frmGMaster* master = m_window->masterWindow();
    QVERIFY(master != nullptr);
    QCOMPARE(master, first.data());
    QCOMPARE(m_window->mdiArea->subWindowList().size(), 1);
    QCOMPARE(master->windowTitle(), caption);
    QCOMPARE(master->Label2->text(), label);
    QCOMPARE(Module2::MasterType(), kind);
    QCOMPARE(master->ListView1->itemCount(), entries);
}

// A second program holds the file locked while the window opens: the failure is shown, and the window still
// names, and will save, the kind that was asked for.
void OpeningWindowsTest::failedFillStillCompletesTheOpening() {
    trigger(u"MnuIncomeSource"_s);
    sqlite3* raw = nullptr;
    QCOMPARE(sqlite3_open(m_folder->databasePath().toUtf8().constData(), &raw), SQLITE_OK);
    const SqliteDb other(raw);
    QCOMPARE(sqlite3_exec(raw, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

    MessageRecorder messages;
    trigger(u"MnuExpCategory"_s);
    QCOMPARE(messages.count(), 1);
    QVERIFY2(messages.last().prompt.contains(u"locked"_s), qPrintable(messages.last().prompt));
    frmGMaster* master = m_window->masterWindow();
    QCOMPARE(master->windowTitle(), u"  Exp. Category Master"_s);
    QCOMPARE(master->Label2->text(), u"Exp. Category : "_s);
    QCOMPARE(Module2::MasterType(), u"1"_s);

    QCOMPARE(sqlite3_exec(raw, "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
    trigger(u"MnuExpCategory"_s);
    QCOMPARE(master->ListView1->itemCount(), 2);
    QCOMPARE(messages.count(), 1);
}

void OpeningWindowsTest::reportOpensOnceAndKeepsItsFigures() {
    Module2::Connection().Execute("Insert Into Income values(1,'2024-01-05','Salary',1500,'x')");
    trigger(u"MnuReports"_s);
    frmReport* report = m_window->reportWindow();
    QVERIFY(report != nullptr);
    QCOMPARE(report->LblIncome->text(), u"1500"_s);

    Module2::Connection().Execute("Insert Into Income values(2,'2024-01-06','Salary',500,'y')");
    trigger(u"MnuReports"_s);
    QCOMPARE(m_window->reportWindow(), report);
    QCOMPARE(report->LblIncome->text(), u"1500"_s);
    QCOMPARE(m_window->mdiArea->subWindowList().size(), 1);

    report->close();
    QTRY_VERIFY(m_window->reportWindow() == nullptr);
    trigger(u"MnuReports"_s);
    QCOMPARE(m_window->reportWindow()->LblIncome->text(), u"2000"_s);
}

// From the menu or the toolbar, a second choice leaves the open window where it is, with what was typed.
void OpeningWindowsTest::transactionWindowsOpenOnceEach() {
    trigger(u"MnuIncome"_s);
    frmIncome* income = m_window->incomeWindow();
    QVERIFY(income != nullptr);
    QCOMPARE(income->windowTitle(), u"I n c o m e"_s);
    income->CboSource->setText(u"typed"_s);
    trigger(u"MnuExpenses"_s);
    QVERIFY(m_window->expensesWindow() != nullptr);
    QCOMPARE(m_window->expensesWindow()->windowTitle(), u"E x p e n s e s"_s);
    trigger(u"MnuIncome"_s);
    for (QAction* action : m_window->Toolbar1->actions()) {
        if (action->text() == u"Income"_s || action->text() == u"Expenses"_s) {
            action->trigger();
        }
    }
    QCOMPARE(m_window->incomeWindow(), income);
    QCOMPARE(income->CboSource->text(), u"typed"_s);
    QCOMPARE(m_window->mdiArea->subWindowList().size(), 2);
}

void OpeningWindowsTest::accessKeysOfTheActiveWindowComeFirst_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("answered");
    // After the steps, each key in turn (on a fresh window) is answered by the button or main menu item
    // named.
    const auto add = [](const QStringList& steps, const QString& keys, const QStringList& answers) {
        for (qsizetype i = 0; i < keys.size(); ++i) {
            QTest::addRow("%s Alt+%c", qPrintable(steps.join(u',')), keys.at(i).toLatin1())
                << steps << keys.mid(i, 1) << answers.at(i);
        }
    };
    add({u"MnuIncomeSource"_s}, u"NSM"_s, {u"frmGMaster.CmdNew"_s, u"frmGMaster.CmdSave"_s, u"MnuMaster"_s});
    add({u"MnuIncomeSource"_s, u"dbl"_s}, u"U"_s, {u"frmGMaster.CmdSave"_s});
    for (const QString& window : {u"Income"_s, u"Expenses"_s}) {
        const QString menu = u"Mnu"_s + window;
        const QString button = u"frm"_s + window + u'.';
        add({menu}, u"NMDHT"_s,
            {button + u"CmdNew"_s, button + u"CmdModify"_s, button + u"CmdDelete"_s,
             button + u"CmdHideList"_s, u"MnuTransactions"_s});
        // While adding, Modify and Delete are hidden: their keys go to the main menu.
        add({menu, u"CmdNew"_s}, u"SCMD"_s,
            {button + u"CmdSave"_s, button + u"CmdCancel"_s, u"MnuMaster"_s, u"mnuDownload"_s});
        add({menu, u"dbl"_s, u"CmdModify"_s}, u"UC"_s, {button + u"CmdModSave"_s, button + u"CmdCancel"_s});
    }
    add({u"MnuIncome"_s, u"MnuExpenses"_s}, u"N"_s, {u"frmExpenses.CmdNew"_s});
}

void OpeningWindowsTest::accessKeysOfTheActiveWindowComeFirst() {
    QFETCH(QStringList, steps);
    QFETCH(QString, key);
    QFETCH(QString, answered);
    Module2::Connection().Execute("Insert Into Income values(1,'2024-01-05','Salary',1500,'x')");
    Module2::Connection().Execute("Insert Into Expenses values(1,'2024-01-05','Rent',500,'y')");
    MessageRecorder messages;
    UrlRecorder urls;
    m_window->showMaximizedAndActive();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    for (const QString& step : steps) {
        QMdiSubWindow* active = m_window->mdiArea->activeSubWindow();
        if (step.startsWith(u"Mnu"_s)) {
            trigger(step);
        } else if (step == u"dbl"_s) {
            auto* list = active->findChild<ListView*>();
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                               list->visualRect(list->model()->index(0, 1)).center());
        } else {
            QTest::mouseClick(active->findChild<QPushButton*>(step), Qt::LeftButton);
        }
    }
    QStringList answers;
    for (QMdiSubWindow* window : m_window->mdiArea->subWindowList()) {
        const QString prefix = QString::fromLatin1(window->metaObject()->className()) + u'.';
        for (QPushButton* button : window->findChildren<QPushButton*>()) {
            connect(button, &QPushButton::clicked, this,
                    [&answers, prefix, button] { answers << prefix + button->objectName(); });
        }
    }
    QTRY_VERIFY(QApplication::focusWidget() != nullptr);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key.at(0).unicode()), Qt::AltModifier);
    QTRY_VERIFY(!answers.isEmpty() || QApplication::activePopupWidget() != nullptr || !urls.urls().isEmpty());
    if (QWidget* menu = QApplication::activePopupWidget()) {
        answers << menu->objectName();
        menu->close();
    }
    if (!urls.urls().isEmpty()) {
        answers << u"mnuDownload"_s;
    }
    QCOMPARE(answers, QStringList{answered});
}

QTEST_MAIN(OpeningWindowsTest)
#include "test_OpeningWindows.moc"

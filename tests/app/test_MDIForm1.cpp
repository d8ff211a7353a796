// The main window: spoken name, menus, toolbar, status bar, the exit question and the About box; each
// working window opened once, named and announced for its kind, even when its list cannot be filled; own
// colours legible under a dark palette; the active window's access keys before the main menu's.
#include <QtTest>
#include <QtWidgets>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

#include "app/FormAbout.h"
#include "app/MDIForm1.h"
#include "app/MainStatusBar.h"
#include "app/frmSplash.h"
#include "reports/frmReport.h"
#include "tests/support/InjectedFault.h"
#include "tests/support/WindowTestBed.h"
#include "transactions/frmIncome.h"
#include "ui/ListView.h"
#include "ui/Module2.h"
#include "ui/SimpleCombo.h"
#include "ui/Twips.h"
#include "ui/UrlOpener.h"

using namespace Qt::StringLiterals;

namespace {

// The controls a user types into, picks from or moves through; a date editor's line edit and a list's
// header are announced through their owner.
bool takesInput(const QWidget* widget) {
    if (qobject_cast<const QLineEdit*>(widget)) {
        return !qobject_cast<const QAbstractSpinBox*>(widget->parentWidget());
    }
    if (qobject_cast<const QAbstractItemView*>(widget)) {
        return !qobject_cast<const QAbstractItemView*>(widget->parentWidget());
    }
    return qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QPlainTextEdit*>(widget);
}

// What a screen reader says for a control: the prompts it is labelled by, its name and, for a list, the
// columns it reads out.
QString announced(QWidget* control) {
    QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(control);
    QStringList words;
    for (const auto& [prompt, relation] : heard->relations(QAccessible::Label)) {
        words << prompt->text(QAccessible::Name).trimmed();
    }
    words << heard->text(QAccessible::Name);
    if (QAccessibleTableInterface* table = heard->tableInterface()) {
        QStringList columns;
        for (int column = 0; column < table->columnCount(); ++column) {
            columns << table->columnDescription(column);
        }
        words << u'(' + columns.join(u", "_s) + u')';
    }
    return words.join(u' ');
}

double luminance(const QColor& colour) {
    const auto linear = [](double value) {
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

// The contrast ratio of a control's text against what it is drawn on: its own background where it paints
// one, else the nearest parent's that does.
double legibility(const QWidget& control) {
    const QPalette::ColorGroup group = control.isEnabled() ? QPalette::Active : QPalette::Disabled;
    const QWidget* ground = &control;
    while (!ground->autoFillBackground() && ground->backgroundRole() != QPalette::Base &&
           !ground->isWindow()) {
        ground = ground->parentWidget();
    }
    const double text = luminance(control.palette().color(group, control.foregroundRole()));
    const double background = luminance(ground->palette().color(group, ground->backgroundRole()));
    return (std::max(text, background) + 0.05) / (std::min(text, background) + 0.05);
}

QToolButton* toolbarButton(const MDIForm1& window, const QString& caption) {
    const auto buttons = window.Toolbar1->findChildren<QToolButton*>();
    const auto found =
        std::find_if(buttons.cbegin(), buttons.cend(), [&](auto* b) { return b->text() == caption; });
    return found == buttons.cend() ? nullptr : *found;
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

    std::unique_ptr<WindowTestBed> m_bed;  // its frame hidden: the main window is the frame
    std::unique_ptr<MDIForm1> m_window;

    void trigger(const QString& menuItem) { m_window->findChild<QAction*>(menuItem)->trigger(); }

    // A menu item by its name, else an entry of the toolbar's Master menu or a toolbar button by its caption.
    void press(const QString& command) {
        if (command.startsWith(u"Mnu"_s)) {
            trigger(command);
            return;
        }
        for (QAction* entry : toolbarButton(*m_window, u"Master"_s)->menu()->actions()) {
            if (entry->text() == command) {
                entry->trigger();
                return;
            }
        }
        toolbarButton(*m_window, command)->click();
    }

    // In the shown main window: a menu item, the user guide put in place, a double-click on the active
    // window's first row, or a click on one of its buttons.
    void walk(const QStringList& steps) {
        for (const QString& step : steps) {
            QMdiSubWindow* active = m_window->mdiArea->activeSubWindow();
            if (step.startsWith(u"Mnu"_s)) {
                trigger(step);
            } else if (step == u"guide"_s) {
                // The rendered user guide, as the installation puts it in the program folder.
                QDir(m_bed->folder().path()).mkpath(u"help"_s);
                QFile guide(m_bed->folder().path() + u"/help/user-guide.html"_s);
                QVERIFY(guide.open(QIODevice::WriteOnly));
            } else if (step == u"dbl"_s) {
                auto* list = active->findChild<ListView*>();
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                                   list->visualRect(list->model()->index(0, 0)).center());
            } else {
                QTest::mouseClick(active->findChild<QPushButton*>(step), Qt::LeftButton);
            }
        }
    }

private slots:
    void initTestCase() { InjectedFault::installDiskLayer(); }
    void init() {
        m_bed = std::make_unique<WindowTestBed>();
        m_bed->frame().hide();
        Module2::Connection().Execute(
            "Insert Into GMaster values(1,'Salary','2'),(2,'Rent','1'),(3,'Food','1')");
        m_window = std::make_unique<MDIForm1>();
        m_window->show();
    }

    void cleanup() {
        m_window.reset();
        m_bed.reset();
        QTRY_VERIFY(visibleTopLevelWindows().isEmpty());
    }

    void menusAndToolbarAsShown() {
        MDIForm1& window = *m_window;
        QCOMPARE(QAccessible::queryAccessibleInterface(&window)->text(QAccessible::Name), u"Orvella"_s);
        QCOMPARE(captions(window.menuBar()->actions()),
                 u"&Master, &Transactions, &Reports, &About, &Download Program Source Code, &Exit"_s);
        QCOMPARE(captions(window.findChild<QMenu*>(u"MnuMaster"_s)->actions()),
                 u"&Income Source, &Exp. Category"_s);
        QCOMPARE(captions(window.findChild<QMenu*>(u"MnuTransactions"_s)->actions()),
                 u"&Income, &Expenses"_s);
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

    void namePanelGivesWayToMinimum() {
        for (const auto& [frameWidth, nameWidth] : {std::pair{1280, 470}, {600, 280}}) {
            m_window->resize(frameWidth, 600);
            QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
            QList<int> widths;
            for (int panel = 0; panel < 5; ++panel) {
                widths << m_window->StatusBar1->panel(panel)->width();
            }
            QCOMPARE(widths, (QList<int>{nameWidth, 96, 96, 96, 96}));
        }
        QCOMPARE(m_window->StatusBar1->panel(0)->text(), u"O r v e l l a  (Version 1.0.1)"_s);
        QVERIFY(m_window->StatusBar1->panel(0)->font().bold());
    }

    void exitQuestion_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("answer");
        for (const QString& from : {u"menu"_s, u"toolbar"_s, u"frame close"_s}) {
            QTest::addRow("%s, Yes", qPrintable(from)) << from << 6;
            QTest::addRow("%s, No", qPrintable(from)) << from << 7;
        }
    }

    void exitQuestion() {
        QFETCH(QString, from);
        QFETCH(int, answer);
        m_bed->messages().answer({answer});
        MDIForm1& window = *m_window;
        window.showMaximizedAndActive();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* entry = new QLineEdit;
        QPointer<QMdiSubWindow> child = window.mdiArea->addSubWindow(entry);
        child->show();
        entry->setText(u"Rent for March"_s);

        // The program's own event loop: it ends with 0 only when the answer ends the program.
        constexpr int kStillRunning = 99;
        QTimer::singleShot(0, &window, [&] {
            from == u"menu"_s      ? window.MnuExit->trigger()
            : from == u"toolbar"_s ? toolbarButton(window, u"Exit"_s)->click()
                                   : void(window.close());
        });
        QTimer::singleShot(200, &window, [] { QCoreApplication::exit(kStillRunning); });
        const int status = QCoreApplication::exec();

        QCOMPARE(m_bed->messages().told(), u"(36) Are you sure you want to Exit?"_s);
        QCOMPARE(status, answer == 6 ? 0 : kStillRunning);
        // On No nothing has closed, the child keeping what was typed; on Yes the loop's end does the rest.
        QVERIFY(window.isVisible() && child && child->isVisible());
        QCOMPARE(entry->text(), u"Rent for March"_s);
    }

    void aboutIsModalFixedToolWindow() {
        MDIForm1& window = *m_window;
        window.showMaximizedAndActive();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QString seen;
        QTimer::singleShot(0, m_window.get(), [&seen] {
            auto* about = qobject_cast<FormAbout*>(QApplication::activeModalWidget());
            QVERIFY(about != nullptr && about->isVisible());
            const Qt::WindowFlags kind =
                about->windowFlags() & (Qt::WindowType_Mask | Qt::WindowMinMaxButtonsHint);
            seen = about->windowTitle() + (about->isModal() ? u", modal"_s : u""_s) +
                   (about->minimumSize() == about->maximumSize() ? u", fixed size"_s : u""_s) +
                   (kind == Qt::Tool ? u", tool window"_s : u""_s);
            about->close();
        });

        window.MnuAbout->trigger();

        QCOMPARE(seen, u"About Orvella 1.0, modal, fixed size, tool window"_s);
        QCOMPARE(visibleTopLevelWindows(), QWidgetList{&window});
    }

    void eachWindowOpensOnceNamedForItsKind_data() {
        QTest::addColumn<QStringList>("commands");  // as press() takes them: main menu or toolbar
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("listed");
        QTest::addColumn<QString>("names");     // control=what is announced, ';' between them
        QTest::addColumn<int>("centredWidth");  // the width, in twips, the window is centred at
        QTest::addColumn<QString>("told");
        const auto row = [](const char* name, const QString& commands, const QString& caption,
                            const QString& label, const QString& kind, int listed, const QString& names,
                            int width, const QString& told = {}) {
            QTest::newRow(name) << commands.split(u',') << caption << label << kind << listed << names
                                << width << told;
        };
        const int master = 4575 + ChildWindow::kBorderTwips;
        const QString sources = u"  Income Source Master"_s;
        const QString categories = u"  Exp. Category Master"_s;
        row("income sources", u"MnuIncomeSource"_s, sources, u"Source : "_s, u"2"_s, 1,
            u"window=Income Source Master;TxtSrNo=Sr. No.;TxtGName=Source;"
            u"ListView1=Category Name (Category Name)"_s,
            master);
        row("expense categories", u"MnuExpCategory"_s, categories, u"Exp. Category : "_s, u"1"_s, 2,
            u"window=Exp. Category Master;TxtSrNo=Sr. No.;TxtGName=Exp. Category"_s, master);
        // Relabelled in place, the window keeps nothing of the other kind, even when the book is locked while
        // the list fills: the failure told, it still names, and saves, the kind asked for.
        row("categories while locked", u"MnuIncomeSource,locked:MnuExpCategory"_s, categories,
            u"Exp. Category : "_s, u"1"_s, 1, u"TxtGName=Exp. Category"_s, master,
            u"failed: database is locked"_s);
        row("categories after the lock", u"MnuIncomeSource,locked:MnuExpCategory,Exp. Category"_s, categories,
            u"Exp. Category : "_s, u"1"_s, 2, u"window=Exp. Category Master;TxtGName=Exp. Category"_s, master,
            u"failed: database is locked"_s);
        // The toolbar's Master menu relabels it as the main menu does, either way.
        row("sources after categories", u"MnuExpCategory,Income Source"_s, sources, u"Source : "_s, u"2"_s, 1,
            u"window=Income Source Master;TxtGName=Source"_s, master);
        // Centred at the width that shows the list; narrowed, the window keeps its left edge.
        row("income", u"MnuIncome"_s, u"I n c o m e"_s, u"Date :"_s, {}, 0,
            u"window=Income;TxtSrNo=Sr. No.;DTPicker1=Date;CboSource=Source;TxtAmount=Amount (Rs.);"
            u"TxtParticulars=Particulars;ListView1=Income (Date, Category, Amount)"_s,
            TransactionForm::kWideWidth);
        row("expenses", u"MnuExpenses"_s, u"E x p e n s e s"_s, u"Date :"_s, {}, 0,
            u"window=Expenses;CboCategory=Category;TxtAmount=Amount (Rs.)"_s, TransactionForm::kWideWidth);
        row("report", u"Report"_s, u"  R e p o r t"_s, u"Total Expenses : "_s, {}, -1,
            u"window=Report;LblIncome=Total Income : 0;LblExpenses=Total Expenses : 0;"
            u"LblBalance=Available Balance : 0.00"_s,
            4215 + ChildWindow::kBorderTwips);
    }

    void eachWindowOpensOnceNamedForItsKind() {
        QFETCH(QStringList, commands);
        QFETCH(QString, caption);
        QFETCH(QString, label);
        QFETCH(QString, kind);
        QFETCH(int, listed);
        QFETCH(QString, names);
        QFETCH(int, centredWidth);
        QFETCH(QString, told);
        QPointer<QMdiSubWindow> first;
        for (const QString& command : commands) {
            std::optional<InjectedFault> locked;
            if (command.startsWith(u"locked:"_s)) {
                locked.emplace(u"locked"_s, m_bed->folder().path());
            }
            press(command.section(u':', -1));
            if (!first) {
                first = m_window->mdiArea->subWindowList().value(0);
            }
        }
        QCOMPARE(m_window->mdiArea->subWindowList(), QList<QMdiSubWindow*>{first.data()});
        QCOMPARE(first->windowTitle(), caption);
        QCOMPARE(first->findChild<QLabel*>(u"Label2"_s)->text(), label);
        QCOMPARE(Module2::MasterType(), kind);
        if (listed >= 0) {
            QCOMPARE(first->findChild<ListView*>(u"ListView1"_s)->itemCount(), listed);
        }

        for (const QWidget* control : first->findChildren<QWidget*>()) {
            if (takesInput(control)) {
                QVERIFY2(!control->accessibleName().isEmpty(),
                         qPrintable(control->parentWidget()->objectName() + u'/' + control->objectName()));
            }
        }
        for (const QString& name : names.split(u';', Qt::SkipEmptyParts)) {
            const QString key = name.section(u'=', 0, 0);
            QWidget* control = key == u"window"_s ? first.data() : first->findChild<QWidget*>(key);
            QVERIFY2(control, qPrintable(key));
            QCOMPARE(announced(control), name.section(u'=', 1));
        }
        for (const QLabel* prompt : first->findChildren<QLabel*>()) {
            QVERIFY2(QFontMetrics(prompt->font()).horizontalAdvance(prompt->text()) <= prompt->width(),
                     qPrintable(prompt->text()));
        }
        // A sixth of the free height down, fixed in size, with no button to minimise or maximise it.
        const QSize screen = Twips::screenSize();
        const auto* child = static_cast<const ChildWindow*>(first.data());
        QCOMPARE(first->pos(),
                 QPoint(qRound((screen.width() - centredWidth) / 2.0 / Twips::kPerPixel),
                        qRound((screen.height() - child->heightTwips()) / 6.0 / Twips::kPerPixel)));
        QCOMPARE(first->minimumSize(), first->maximumSize());
        QVERIFY(!(first->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(m_bed->messages().told(), told);
    }

    // Under a dark desktop palette, each control with a colour of its own reads at least as well as under the
    // light one, never below 3:1; the About and splash windows are made by themselves.
    void ownColoursStayLegibleUnderADarkPalette_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("control");
        QTest::newRow("source box, greyed") << QStringList{u"MnuIncome"_s} << u"CboSource"_s;
        QTest::newRow("source box, typing") << QStringList{u"MnuIncome"_s, u"CmdNew"_s} << u"CboSource"_s;
        QTest::newRow("total line") << QStringList{u"MnuExpenses"_s} << u"LblTotal"_s;
        QTest::newRow("balance") << QStringList{u"MnuReports"_s} << u"LblBalance"_s;
        QTest::newRow("About") << QStringList{u"FormAbout"_s} << u"Label1"_s;
        QTest::newRow("splash") << QStringList{u"frmSplash"_s} << u"Label2"_s;
    }

    void ownColoursStayLegibleUnderADarkPalette() {
        QFETCH(QStringList, steps);
        QFETCH(QString, control);
        const QPalette desktop = QApplication::palette();
        const auto restore = qScopeGuard([&desktop] { QApplication::setPalette(desktop); });
        QList<double> contrasts;
        for (const QPalette& palette : {desktop, QPalette(QColor(0x35, 0x35, 0x35))}) {
            QApplication::setPalette(palette);
            m_window = std::make_unique<MDIForm1>();
            std::unique_ptr<QWidget> standalone;
            if (steps.first() == u"FormAbout"_s) {
                standalone = std::make_unique<FormAbout>();
            } else if (steps.first() == u"frmSplash"_s) {
                standalone = std::make_unique<frmSplash>();
            } else {
                m_window->showMaximizedAndActive();
                QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
                walk(steps);
            }
            auto* shown = (standalone ? standalone.get() : m_window.get())->findChild<QWidget*>(control);
            if (const auto* box = qobject_cast<SimpleCombo*>(shown)) {
                shown = box->editField();
            }
            contrasts << legibility(*shown);
        }
        QVERIFY2(contrasts[1] >= contrasts[0] && contrasts[0] >= 3,
                 qPrintable(u"light %1:1, dark %2:1"_s.arg(contrasts[0]).arg(contrasts[1])));
    }

    // A second choice, from menu or toolbar, leaves the open window as it is; closed, one opens afresh.
    void secondChoiceLeavesTheOpenWindowAsItIs() {
        Module2::Connection().Execute("Insert Into Income values(1,'2024-01-05','Salary',1500,'x')");
        trigger(u"MnuIncome"_s);
        trigger(u"MnuReports"_s);
        frmIncome* income = m_window->incomeWindow();
        frmReport* report = m_window->reportWindow();
        QCOMPARE(report->LblIncome->text(), u"1500"_s);
        income->CboSource->setText(u"typed"_s);
        Module2::Connection().Execute("Insert Into Income values(2,'2024-01-06','Salary',500,'y')");

        for (const QString& command :
             {u"MnuIncome"_s, u"MnuExpenses"_s, u"MnuReports"_s, u"Income"_s, u"Expenses"_s, u"Report"_s}) {
            press(command);
        }
        QCOMPARE(m_window->mdiArea->subWindowList().size(), 3);
        QCOMPARE(m_window->incomeWindow(), income);
        QCOMPARE(income->CboSource->text(), u"typed"_s);
        QCOMPARE(m_window->reportWindow(), report);
        QCOMPARE(report->LblIncome->text(), u"1500"_s);

        report->close();
        QTRY_VERIFY(m_window->reportWindow() == nullptr);
        trigger(u"MnuReports"_s);
        QCOMPARE(m_window->reportWindow()->LblIncome->text(), u"2000"_s);
    }
    // After the steps, each key is answered by the active window's button, else by the main menu's item (the
    // download command by opening the source's address). F1 opens the user guide from the program folder
    // wherever the focus is, or says where it is missing.
    void accessKeysAndF1_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("answered");
        const auto add = [](const QStringList& steps, const QString& keys, const QStringList& answers) {
            for (qsizetype i = 0; i < keys.size(); ++i) {
                QTest::addRow("%s Alt+%c", qPrintable(steps.join(u',')), keys.at(i).toLatin1())
                    << steps << u"Alt+"_s + keys.at(i) << answers.at(i);
            }
        };
        add({u"MnuIncomeSource"_s}, u"NSM"_s,
            {u"frmGMaster.CmdNew"_s, u"frmGMaster.CmdSave"_s, u"MnuMaster"_s});
        add({u"MnuIncomeSource"_s, u"dbl"_s}, u"U"_s, {u"frmGMaster.CmdSave"_s});
        for (const QString& window : {u"Income"_s, u"Expenses"_s}) {
            const QString menu = u"Mnu"_s + window;
            const QString button = u"frm"_s + window + u'.';
            add({menu}, u"NMDHT"_s,
                {button + u"CmdNew"_s, button + u"CmdModify"_s, button + u"CmdDelete"_s,
                 button + u"CmdHideList"_s, u"MnuTransactions"_s});
            // While adding, Modify and Delete are hidden: their keys go to the main menu.
            add({menu, u"CmdNew"_s}, u"SCMD"_s,
                {button + u"CmdSave"_s, button + u"CmdCancel"_s, u"MnuMaster"_s,
                 u"http://orvella.example.org/sourcecode"_s});
            add({menu, u"dbl"_s, u"CmdModify"_s}, u"UC"_s,
                {button + u"CmdModSave"_s, button + u"CmdCancel"_s});
        }
        add({u"MnuIncome"_s, u"MnuExpenses"_s}, u"N"_s, {u"frmExpenses.CmdNew"_s});
        const QString guide = u"file://{folder}/help/user-guide.html"_s;
        QTest::newRow("F1 in the frame") << QStringList{u"guide"_s} << u"F1"_s << guide;
        QTest::newRow("F1 in a field") << u"guide,MnuIncome,CmdNew"_s.split(u',') << u"F1"_s << guide;
        QTest::newRow("F1 in the report") << QStringList{u"guide"_s, u"MnuReports"_s} << u"F1"_s << guide;
        QTest::newRow("F1 without the guide")
            << QStringList{u"MnuIncome"_s} << u"F1"_s
            << u"The user guide was not found at:\n{folder}/help/user-guide.html"_s;
    }

    void accessKeysAndF1() {
        QFETCH(QStringList, steps);
        QFETCH(QString, key);
        QFETCH(QString, answered);
        Module2::Connection().Execute("Insert Into Income values(1,'2024-01-05','Salary',1500,'x')");
        Module2::Connection().Execute("Insert Into Expenses values(1,'2024-01-05','Rent',500,'y')");
        QStringList answers;
        const UrlOpenHandler opener =
            setUrlOpenHandler([&answers](const QUrl& url) { answers << url.toString(); });
        const auto restore = qScopeGuard([&opener] { setUrlOpenHandler(opener); });
        m_window->showMaximizedAndActive();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        walk(steps);
        for (QMdiSubWindow* window : m_window->mdiArea->subWindowList()) {
            const QString prefix = QString::fromLatin1(window->metaObject()->className()) + u'.';
            for (QPushButton* button : window->findChildren<QPushButton*>()) {
                connect(button, &QPushButton::clicked, this,
                        [&answers, prefix, button] { answers << prefix + button->objectName(); });
            }
        }
        QTRY_VERIFY(QApplication::focusWidget() != nullptr);

        QTest::keySequence(QApplication::focusWidget(), QKeySequence(key));
        QTRY_VERIFY(!answers.isEmpty() || QApplication::activePopupWidget() != nullptr ||
                    m_bed->messages().count() > 0);
        if (QWidget* menu = QApplication::activePopupWidget()) {
            answers << menu->objectName();
            menu->close();
        }
        // A pressed button may tell something in turn; a message alone is the key's own answer.
        if (answers.isEmpty()) {
            answers << m_bed->messages().last().prompt;
        }
        QCOMPARE(answers, QStringList{answered.replace(u"{folder}"_s, m_bed->folder().path())});
    }
};

QTEST_MAIN(MDIForm1Test)
#include "test_MDIForm1.moc"

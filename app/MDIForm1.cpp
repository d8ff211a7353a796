// The main window: menus and toolbar that open every other window, the user guide on F1, the exit question
// and the splash's end.
#include "app/MDIForm1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "app/FormAbout.h"
#include "app/MainStatusBar.h"
#include "app/frmSplash.h"
#include "master/frmGMaster.h"
#include "reports/frmReport.h"
#include "transactions/frmExpenses.h"
#include "transactions/frmIncome.h"
#include "ui/Guard.h"
#include "ui/MessageBox.h"
#include "ui/Module2.h"
#include "ui/Pictures.h"
#include "ui/ProgramFolder.h"
#include "ui/UrlOpener.h"

using namespace Qt::StringLiterals;

// The resources live in a static library: nothing would pull them into the program without this reference.
static void initPictures() {
    Q_INIT_RESOURCE(resources);
}

namespace {
const QString kSourceCodeAddress = u"http://orvella.example.org/sourcecode"_s;
// Where the installation puts the rendered user guide, under the program folder.
constexpr char kUserGuide[] = "/help/user-guide.html";
constexpr int kToolbarPictureSize = 32;
}  // namespace

MDIForm1::MDIForm1(std::unique_ptr<frmSplash> splash, QWidget* parent)
    : QMainWindow(parent), m_splash(std::move(splash)) {
    initPictures();
    setObjectName(u"MDIForm1"_s);
    setWindowTitle(u"O r v e l l a"_s);
    setAccessibleName(u"Orvella"_s);
    // Every window of the program, the frame's children included, shows the program's icon.
    QApplication::setWindowIcon(Pictures::icon(u"orvella"_s));
    // The toolbar stays: no context menu offers to hide it.
    setContextMenuPolicy(Qt::NoContextMenu);

    mdiArea = new QMdiArea(this);
    mdiArea->setObjectName(u"mdiArea"_s);
    mdiArea->setBackground(QColor(64, 64, 64));
    setCentralWidget(mdiArea);

    createMenus();
    createToolbar();
    createHelpKey();

    StatusBar1 = new MainStatusBar(this);
    setStatusBar(StatusBar1);
}

MDIForm1::~MDIForm1() = default;

void MDIForm1::createMenus() {
    QMenuBar* bar = menuBar();
    const auto named = [](QAction* action, const QString& name) {
        action->setObjectName(name);
        return action;
    };

    MnuMaster = bar->addMenu(u"&Master"_s);
    MnuMaster->setObjectName(u"MnuMaster"_s);
    named(MnuMaster->menuAction(), u"MnuMaster"_s);
    MnuIncomeSource = named(MnuMaster->addAction(u"&Income Source"_s), u"MnuIncomeSource"_s);
    MnuExpCategory = named(MnuMaster->addAction(u"&Exp. Category"_s), u"MnuExpCategory"_s);

    MnuTransactions = bar->addMenu(u"&Transactions"_s);
    MnuTransactions->setObjectName(u"MnuTransactions"_s);
    named(MnuTransactions->menuAction(), u"MnuTransactions"_s);
    MnuIncome = named(MnuTransactions->addAction(u"&Income"_s), u"MnuIncome"_s);
    MnuExpenses = named(MnuTransactions->addAction(u"&Expenses"_s), u"MnuExpenses"_s);

    MnuReports = named(bar->addAction(u"&Reports"_s), u"MnuReports"_s);
    MnuAbout = named(bar->addAction(u"&About"_s), u"MnuAbout"_s);
    mnuDownload = named(bar->addAction(u"&Download Program Source Code"_s), u"mnuDownload"_s);
    MnuExit = named(bar->addAction(u"&Exit"_s), u"MnuExit"_s);

    connect(MnuIncomeSource, &QAction::triggered, this, guard(this, &MDIForm1::MnuIncomeSource_Click));
    connect(MnuExpCategory, &QAction::triggered, this, guard(this, &MDIForm1::MnuExpCategory_Click));
    connect(MnuIncome, &QAction::triggered, this, guard(this, &MDIForm1::MnuIncome_Click));
    connect(MnuExpenses, &QAction::triggered, this, guard(this, &MDIForm1::MnuExpenses_Click));
    connect(MnuReports, &QAction::triggered, this, guard(this, &MDIForm1::MnuReports_Click));
    connect(MnuAbout, &QAction::triggered, this, guard(this, &MDIForm1::MnuAbout_Click));
    connect(mnuDownload, &QAction::triggered, this, guard(this, &MDIForm1::mnuDownload_Click));
    connect(MnuExit, &QAction::triggered, this, guard(this, &MDIForm1::MnuExit_Click));
}

void MDIForm1::createToolbar() {
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(u"Toolbar1"_s);
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Toolbar1->setIconSize(QSize(kToolbarPictureSize, kToolbarPictureSize));
    addToolBar(Qt::TopToolBarArea, Toolbar1);

    // The face of "Master" is a button of its own; its arrow opens the menu of the two master kinds.
    Toolbar1Master = new QToolButton(Toolbar1);
    Toolbar1Master->setObjectName(u"Toolbar1Master"_s);
    Toolbar1Master->setPopupMode(QToolButton::MenuButtonPopup);
    Toolbar1Master->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Toolbar1Master->setIconSize(Toolbar1->iconSize());
    auto* masterFace = new QAction(Pictures::icon(u"master"_s), u"Master"_s, Toolbar1Master);
    Toolbar1Master->setDefaultAction(masterFace);
    auto* masterMenu = new QMenu(Toolbar1Master);
    masterMenu->addAction(u"Income Source"_s);
    masterMenu->addAction(u"Exp. Category"_s);
    Toolbar1Master->setMenu(masterMenu);
    Toolbar1->addWidget(Toolbar1Master);
    connect(masterFace, &QAction::triggered, this, guard([this] { Toolbar1_ButtonClick(u"Master"_s); }));
    connect(masterMenu, &QMenu::triggered, this,
            guard([this](QAction* entry) { Toolbar1_ButtonMenuClick(entry->text()); }));

    Toolbar1->addSeparator();
    addToolbarButton(u"Income"_s, u"income"_s);
    Toolbar1->addSeparator();
    addToolbarButton(u"Expenses"_s, u"expenses"_s);
    Toolbar1->addSeparator();
    addToolbarButton(u"Report"_s, u"report"_s);
    Toolbar1->addSeparator();
    addToolbarButton(u"Exit"_s, u"exit"_s);
}

void MDIForm1::createHelpKey() {
    // On the frame, so F1 reaches it from every working window's controls too. It has no menu item: the menus
    // stay as designed.
    auto* help = new QAction(this);
    help->setObjectName(u"actUserGuide"_s);
    help->setShortcut(Qt::Key_F1);
    addAction(help);
    connect(help, &QAction::triggered, this, guard(this, &MDIForm1::showUserGuide));
}

QAction* MDIForm1::addToolbarButton(const QString& caption, const QString& picture) {
    QAction* button = Toolbar1->addAction(Pictures::icon(picture), caption);
    connect(button, &QAction::triggered, this, guard([this, caption] { Toolbar1_ButtonClick(caption); }));
    return button;
}

void MDIForm1::showMaximizedAndActive() {
    // Without a window manager nothing maximises the frame or makes it active: both are done here.
    if (const QScreen* screen = this->screen()) {
        setGeometry(screen->availableGeometry());
    }
    showMaximized();
    activateWindow();
}

bool MDIForm1::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        runGuarded([this] { MDIForm_Activate(); });
    }
    return QMainWindow::event(event);
}

void MDIForm1::closeEvent(QCloseEvent* event) {
    // Asked before anything closes, so that on No every child window keeps what was typed in it.
    // On Yes the program ends from the event loop; the frame itself is never closed here.
    event->ignore();
    int Cancel = 0;
    runGuarded([this, &Cancel] { MDIForm_Unload(Cancel); });
}

void MDIForm1::MDIForm_Activate() {
    if (!m_splash) {
        return;
    }
    // The toolkit is still delivering this activation to the other top-level windows, the splash among
    // them: it leaves the screen now and is deleted once that is over.
    m_splash->hide();
    m_splash.release()->deleteLater();
}

void MDIForm1::MDIForm_Unload(int& Cancel) {
    if (!confirmExit()) {
        Cancel = 1;
    }
}

frmGMaster* MDIForm1::masterWindow() const {
    return m_master;
}

frmIncome* MDIForm1::incomeWindow() const {
    return m_income;
}

frmExpenses* MDIForm1::expensesWindow() const {
    return m_expenses;
}

frmReport* MDIForm1::reportWindow() const {
    return m_report;
}

template <typename Window>
Window* MDIForm1::openChild(QPointer<Window>& window) {
    if (!window) {
        window = new Window(mdiArea);
        window->load();
    }
    return window;
}

void MDIForm1::openMaster(const QString& caption, void (frmGMaster::*fill)(), const QString& label,
                          const QString& kind) {
    frmGMaster* master = openChild(m_master);
    master->setWindowTitle(caption);
    master->setAccessibleName(caption.trimmed());
    // A failing fill is shown, and the opening still completes: the caption, the label and the kind the
    // window saves must all name the same list.
    runGuarded([master, fill] { (master->*fill)(); });
    master->show();
    master->Label2->setText(label);
    Module2::MasterType() = kind;
}

void MDIForm1::MnuIncomeSource_Click() {
    openMaster(u"  Income Source Master"_s, &frmGMaster::FillIncome, u"Source : "_s, u"2"_s);
}

void MDIForm1::MnuExpCategory_Click() {
    openMaster(u"  Exp. Category Master"_s, &frmGMaster::FillExpense, u"Exp. Category : "_s, u"1"_s);
}

void MDIForm1::MnuIncome_Click() {
    openChild(m_income);
}

void MDIForm1::MnuExpenses_Click() {
    openChild(m_expenses);
}

void MDIForm1::MnuReports_Click() {
    openChild(m_report);
}

void MDIForm1::MnuAbout_Click() {
    FormAbout about;
    about.exec();
}

void MDIForm1::mnuDownload_Click() {
    OpenURL(QUrl(kSourceCodeAddress));
}

void MDIForm1::showUserGuide() {
    const QString guide = QFile::decodeName(QByteArray::fromStdString(ProgramFolder::path() + kUserGuide));
    // Handed to the desktop, a missing file would open nothing, or an error page, and leave the user
    // guessing.
    if (!QFileInfo(guide).isFile()) {
        MsgBox(u"The user guide was not found at:\n%1"_s.arg(guide), Msg::OkExclamation);
        return;
    }
    OpenURL(QUrl::fromLocalFile(guide));
}

void MDIForm1::MnuExit_Click() {
    confirmExit();
}

void MDIForm1::Toolbar1_ButtonClick(const QString& caption) {
    if (caption == u"Income"_s) {
        MnuIncome_Click();
    } else if (caption == u"Expenses"_s) {
        MnuExpenses_Click();
    } else if (caption == u"Report"_s) {
        MnuReports_Click();
    } else if (caption == u"Exit"_s) {
        MnuExit_Click();
    }
}

void MDIForm1::Toolbar1_ButtonMenuClick(const QString& text) {
    if (text == u"Income Source"_s) {
        MnuIncomeSource_Click();
    } else if (text == u"Exp. Category"_s) {
        MnuExpCategory_Click();
    }
}

void MDIForm1::OpenURL(const QUrl& address) {
    openUrl(address);
}

bool MDIForm1::confirmExit() {
    if (MsgBox(u"Are you sure you want to Exit?"_s, Msg::YesNoQuestion, u"Orvella"_s) != Msg::AnswerYes) {
        return false;
    }
    // exit(), not quit(): quit() would close every window and ask this question a second time.
    QCoreApplication::exit(0);
    return true;
}

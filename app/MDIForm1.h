// The main window: the frame every working window opens in, with the menu bar, toolbar and status bar.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include <memory>

#include "app/frmSplash.h"

class QAction;
class QMdiArea;
class QMenu;
class QToolBar;
class QToolButton;
class MainStatusBar;
class frmExpenses;
class frmGMaster;
class frmIncome;
class frmReport;

class MDIForm1 final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MDIForm1)

public:
    // Takes over the splash window, which it closes when it first becomes active.
    explicit MDIForm1(std::unique_ptr<frmSplash> splash = nullptr, QWidget* parent = nullptr);
    ~MDIForm1() override;

    // Shows the frame maximised and makes it the active window.
    void showMaximizedAndActive();

    // The splash window while it is still open.
    frmSplash* splash() const { return m_splash.get(); }

    // The working windows while they are open.
    frmGMaster* masterWindow() const;
    frmIncome* incomeWindow() const;
    frmExpenses* expensesWindow() const;
    frmReport* reportWindow() const;

    QMdiArea* mdiArea = nullptr;

    QMenu* MnuMaster = nullptr;
    QAction* MnuIncomeSource = nullptr;
    QAction* MnuExpCategory = nullptr;
    QMenu* MnuTransactions = nullptr;
    QAction* MnuIncome = nullptr;
    QAction* MnuExpenses = nullptr;
    QAction* MnuReports = nullptr;
    QAction* MnuAbout = nullptr;
    QAction* mnuDownload = nullptr;
    QAction* MnuExit = nullptr;

    QToolBar* Toolbar1 = nullptr;
    QToolButton* Toolbar1Master = nullptr;
    MainStatusBar* StatusBar1 = nullptr;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createToolbar();
    void createHelpKey();
    QAction* addToolbarButton(const QString& caption, const QString& picture);

    void MDIForm_Activate();
    void MDIForm_Unload(int& Cancel);
    void MnuIncomeSource_Click();
    void MnuExpCategory_Click();
    void MnuIncome_Click();
    void MnuExpenses_Click();
    void MnuReports_Click();
    void MnuAbout_Click();
    void mnuDownload_Click();
    void MnuExit_Click();
    void Toolbar1_ButtonClick(const QString& caption);
    void Toolbar1_ButtonMenuClick(const QString& text);
    void OpenURL(const QUrl& address);
    // Opens the user guide from the program folder in the desktop's browser, or says that it is missing.
    void showUserGuide();

    // Asks the exit question; on Yes ends the program at once. Gives whether it ends.
    bool confirmExit();

    // Loads the window unless it is open; an open window is left as it is.
    template <typename Window>
    Window* openChild(QPointer<Window>& window);
    // The master data window's opening, in its fixed order: caption, fill, show, label, MasterType.
    void openMaster(const QString& caption, void (frmGMaster::*fill)(), const QString& label,
                    const QString& kind);

    std::unique_ptr<frmSplash> m_splash;
    QPointer<frmGMaster> m_master;
    QPointer<frmIncome> m_income;
    QPointer<frmExpenses> m_expenses;
    QPointer<frmReport> m_report;
};

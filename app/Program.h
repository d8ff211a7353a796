// What start-up leaves behind for the life of the process: the single-copy lock and the windows.
#pragma once

#include <QString>

#include <memory>

#include "app/SingleInstance.h"

class MDIForm1;
class frmSplash;

class Program final {
public:
    // The program whose executable is at this path (the lock is named after it).
    explicit Program(const QString& executablePath);
    ~Program();

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    SingleInstance& singleInstance() { return m_singleInstance; }

    // Shows the splash window, modeless.
    void showSplash();
    // Hides the splash window, if it is up.
    void hideSplash();
    // Creates the main window, hands it the splash and shows it maximised.
    void showMainWindow();
    // Closes whatever window start-up left open.
    void closeWindows();

    frmSplash* splash() const;
    MDIForm1* mainWindow() const { return m_mainWindow.get(); }

private:
    SingleInstance m_singleInstance;
    std::unique_ptr<frmSplash> m_splash;
    std::unique_ptr<MDIForm1> m_mainWindow;
};

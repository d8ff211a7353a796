// What start-up leaves behind for the life of the process: the book's lock and the windows.
#pragma once

#include <memory>

#include "data/BookLock.h"

class MDIForm1;
class frmSplash;

class Program final {
public:
    Program();
    ~Program();

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The lock that keeps the book to this program while it runs.
    BookLock& bookLock() { return m_bookLock; }

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
    BookLock m_bookLock;
    std::unique_ptr<frmSplash> m_splash;
    std::unique_ptr<MDIForm1> m_mainWindow;
};

// Keeps the book's lock and the windows that start-up made alive after it returns.
#include "app/Program.h"

#include "app/MDIForm1.h"
#include "app/frmSplash.h"
#include "ui/StartupProbe.h"

Program::Program() = default;

// The main window goes before the lock is released, so a new copy never meets this one half gone.
Program::~Program() {
    closeWindows();
}

void Program::showSplash() {
    m_splash = std::make_unique<frmSplash>();
    m_splash->show();
}

void Program::hideSplash() {
    if (m_splash) {
        m_splash->hide();
    }
}

void Program::showMainWindow() {
    m_mainWindow = std::make_unique<MDIForm1>(std::move(m_splash));
    StartupProbe::reportFirstFrame(m_mainWindow.get());
    m_mainWindow->showMaximizedAndActive();
}

frmSplash* Program::splash() const {
    return m_mainWindow ? m_mainWindow->splash() : m_splash.get();
}

void Program::closeWindows() {
    m_mainWindow.reset();
    m_splash.reset();
}

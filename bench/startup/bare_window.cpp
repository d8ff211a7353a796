// The yardstick for start-up: a bare Qt main window with the same menu bar, toolbar and status bar as
// Orvella's, and nothing else (no database, no fonts of its own, no single-copy lock).
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "ui/Pictures.h"
#include "ui/StartupProbe.h"

namespace {

void addMenus(QMainWindow& window) {
    QMenuBar* bar = window.menuBar();
    QMenu* master = bar->addMenu(QStringLiteral("&Master"));
    master->addAction(QStringLiteral("&Income Source"));
    master->addAction(QStringLiteral("&Exp. Category"));
    QMenu* transactions = bar->addMenu(QStringLiteral("&Transactions"));
    transactions->addAction(QStringLiteral("&Income"));
    transactions->addAction(QStringLiteral("&Expenses"));
    for (const auto* caption : {"&Reports", "&About", "&Download Program Source Code", "&Exit"}) {
        bar->addAction(QString::fromLatin1(caption));
    }
}

void addToolbar(QMainWindow& window) {
    QToolBar* toolbar = window.addToolBar(QStringLiteral("Toolbar1"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    auto* masterButton = new QToolButton(toolbar);
    masterButton->setText(QStringLiteral("Master"));
    masterButton->setIcon(Pictures::icon(QStringLiteral("master")));
    masterButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    masterButton->setPopupMode(QToolButton::MenuButtonPopup);
    auto* menu = new QMenu(masterButton);
    menu->addAction(QStringLiteral("Income Source"));
    menu->addAction(QStringLiteral("Exp. Category"));
    masterButton->setMenu(menu);
    toolbar->addWidget(masterButton);
    for (const auto* name : {"income", "expenses", "report", "exit"}) {
        toolbar->addSeparator();
        const QString key = QString::fromLatin1(name);
        toolbar->addAction(Pictures::icon(key), key);
    }
}

void addStatusBar(QMainWindow& window) {
    const int widths[] = {470, 96, 96, 96, 96};
    const char* texts[] = {"O r v e l l a  (Version 1.0.1)", "CAPS", "NUM", "06/12/2026", "19:30"};
    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel(QString::fromLatin1(texts[i]), window.statusBar());
        panel->setFixedWidth(widths[i]);
        window.statusBar()->addWidget(panel);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // The pictures are compiled into a static library: this pulls them in, as the program's window does.
    Q_INIT_RESOURCE(resources);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    addMenus(window);
    addToolbar(window);
    addStatusBar(window);
    window.setGeometry(window.screen()->availableGeometry());
    StartupProbe::reportFirstFrame(&window);
    window.show();
    window.activateWindow();
    return QApplication::exec();
}

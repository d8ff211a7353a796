// The main window's status bar: the program's name, the Caps Lock and Num Lock keys, the date and the time.
#pragma once

#include <QStatusBar>
#include <QTimer>

#include <array>

class QLabel;
class LockKeys;

class MainStatusBar final : public QStatusBar {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainStatusBar)

public:
    explicit MainStatusBar(QWidget* parent = nullptr);
    ~MainStatusBar() override;

    // The five panels, left to right.
    QLabel* panel(int index) const;

private:
    QLabel* addPanel(int number, int widthTwips, int minimumWidthTwips);
    void showLockKeys();
    void showDateAndTime();
    void scheduleNextMinute();

    std::array<QLabel*, 5> m_panels{};
    LockKeys* m_lockKeys = nullptr;
    // The only timer of the program: it wakes at each minute boundary and writes the date and time panels.
    QTimer m_clock;
};

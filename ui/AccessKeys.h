// A child window's own access keys, ahead of the main window's menu.
#pragma once

#include <QObject>

class QAbstractButton;
class QKeyEvent;
class QMdiSubWindow;
class QWidget;

class AccessKeys final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AccessKeys)

public:
    // While the window is the active one of its frame, an Alt key that is the access key of one of its
    // visible, enabled buttons presses that button; any other key goes on as usual (to the main menu, for
    // one). Lives as long as the window.
    explicit AccessKeys(QMdiSubWindow* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether a key pressed in the control goes to this window's buttons first.
    bool answersKeysOf(const QWidget* focused) const;
    QAbstractButton* buttonFor(const QKeyEvent& key) const;

    QMdiSubWindow* m_window;
};

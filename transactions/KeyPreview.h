// A window's key preview: the window sees each key pressed in any of its controls before the control does.
#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

class KeyPreview final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KeyPreview)

public:
    // The handler runs guarded for every key pressed while the focus is inside the window. It does not
    // consume the key: the control still gets it afterwards. Lives as long as the window.
    KeyPreview(QWidget* window, std::function<void(const QKeyEvent&)> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    std::function<void(const QKeyEvent&)> m_handler;
};

// Key preview through one application-wide filter, limited to the window's own controls.
#include "transactions/KeyPreview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "ui/Guard.h"

KeyPreview::KeyPreview(QWidget* window, std::function<void(const QKeyEvent&)> handler)
    : QObject(window), m_window(window), m_handler(std::move(handler)) {
    // A filter on the application sees the key before the focused control's own filters, so the window
    // comes first even for controls (the combo box's edit field) that filter their keys themselves.
    QCoreApplication::instance()->installEventFilter(this);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
        return false;
    }
    // An ignored key travels on to the control's parents; only its first delivery, to the focused control,
    // counts as a key press.
    auto* widget = static_cast<QWidget*>(watched);
    if (widget != QApplication::focusWidget() || !m_window->isAncestorOf(widget)) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    runGuarded([&] { m_handler(key); });
    return false;
}

// Access keys through one application-wide filter, limited to the keys pressed while the window is active.
#include "ui/AccessKeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>

AccessKeys::AccessKeys(QMdiSubWindow* window) : QObject(window), m_window(window) {
    QCoreApplication::instance()->installEventFilter(this);
}

bool AccessKeys::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) ||
        !watched->isWidgetType() || !answersKeysOf(static_cast<QWidget*>(watched))) {
        return false;
    }
    auto& key = static_cast<QKeyEvent&>(*event);
    QAbstractButton* button = buttonFor(key);
    if (button == nullptr) {
        return false;
    }
    // The main menu's Alt keys share one shortcut map with the buttons' and would win a tie there. Claimed
    // before that map is asked, the key comes back here as a key press, which presses the button.
    if (event->type() == QEvent::ShortcutOverride) {
        key.accept();
    } else if (!button->isDown()) {
        button->animateClick();
    }
    return true;
}

bool AccessKeys::answersKeysOf(const QWidget* focused) const {
    // A key travels on to the focused control's parents; only its first delivery, to that control, counts.
    // The control can be anywhere in the main window (its toolbar, say), but not in a dialog or menu over it.
    const QMdiArea* area = m_window->mdiArea();
    return focused == QApplication::focusWidget() && area != nullptr && area->activeSubWindow() == m_window &&
           focused->window() == m_window->window();
}

QAbstractButton* AccessKeys::buttonFor(const QKeyEvent& key) const {
    if (key.modifiers() != Qt::AltModifier) {
        return nullptr;
    }
    const QKeySequence pressed(key.keyCombination());
    for (QAbstractButton* button : m_window->findChildren<QAbstractButton*>()) {
        if (button->isVisible() && button->isEnabled() && QKeySequence::mnemonic(button->text()) == pressed) {
            return button;
        }
    }
    return nullptr;
}

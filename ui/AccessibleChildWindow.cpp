// The working windows' accessible interface and the factory that hands it out.
#include "ui/AccessibleChildWindow.h"

#include <QObject>
#include <QString>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

QAccessibleInterface* forChildWindow(const QString& className, QObject* object) {
    // Asked class by class from the object's own upwards, so every kind of working window arrives here by
    // its base class. The accessibility cache owns and deletes the interface.
    if (className != u"ChildWindow"_s || !object->isWidgetType()) {
        return nullptr;
    }
    return new AccessibleChildWindow(static_cast<QWidget*>(object));
}

}  // namespace

AccessibleChildWindow::AccessibleChildWindow(QWidget* window)
    : QAccessibleWidget(window, QAccessible::Window) {}

QString AccessibleChildWindow::text(QAccessible::Text kind) const {
    if (kind != QAccessible::Name) {
        return QAccessibleWidget::text(kind);
    }
    const QString name = widget()->accessibleName();
    return name.isEmpty() ? widget()->windowTitle() : name;
}

void AccessibleChildWindow::install() {
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory(&forChildWindow), true);
}

// Lists the visible top-level windows.
#include "tests/support/TopLevelWindows.h"

#include <QApplication>
#include <QWidget>

QWidgetList visibleTopLevelWindows() {
    QWidgetList visible;
    const QWidgetList all = QApplication::topLevelWidgets();
    for (QWidget* widget : all) {
        const Qt::WindowType type = widget->windowType();
        if (widget->isVisible() && type != Qt::Popup && type != Qt::ToolTip) {
            visible.append(widget);
        }
    }
    return visible;
}

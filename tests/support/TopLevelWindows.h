// The windows a user would see: what a test's cleanup checks is empty.
#pragma once

#include <QApplication>
#include <QWidget>

// Every visible top-level widget, menus and tooltips aside.
inline QWidgetList visibleTopLevelWindows() {
    QWidgetList visible;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowType() != Qt::Popup && widget->windowType() != Qt::ToolTip) {
            visible.append(widget);
        }
    }
    return visible;
}

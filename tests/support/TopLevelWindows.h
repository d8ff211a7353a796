// The windows a user would see: what a test's cleanup checks is empty.
#pragma once

#include <QWidgetList>

// Every visible top-level widget, menus and tooltips aside.
QWidgetList visibleTopLevelWindows();

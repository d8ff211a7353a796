// How assistive technology meets a working window: by the name it is to be announced by.
#pragma once

#include <QAccessibleWidget>

class QObject;
class QString;

// A working window announced by its accessible name, where it has one, rather than by its caption, whose
// letters may be spaced out for show ("I n c o m e"); the toolkit's own interface for a window inside the
// frame reads the caption alone.
class AccessibleChildWindow final : public QAccessibleWidget {
public:
    explicit AccessibleChildWindow(QWidget* window);

    QString text(QAccessible::Text kind) const override;

    // Has every working window answer through this interface from now on; once is enough.
    static void install();
};

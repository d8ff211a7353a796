// A working window inside the main window's frame: its client area holds the controls, placed in twips.
#pragma once

#include <QMdiSubWindow>
#include <QSize>
#include <QString>

class QMdiArea;

class ChildWindow : public QMdiSubWindow {
    Q_OBJECT

public:
    // A window with a fixed client area of the given size in twips, added to the frame's area.
    // It is destroyed when it closes, so the next opening starts again from its design state.
    // A screen reader announces it by its accessible name where it has one, else by its caption.
    ChildWindow(QMdiArea* area, int clientWidthTwips, int clientHeightTwips);

    // The area that holds the window's controls.
    QWidget* client() const { return m_client; }

    // Outer size and position in twips, as the windows set them at run time. An outer width includes a
    // 90-twip border, so the client area becomes 90 twips narrower, and reads back as set. The frame drawn
    // around the client area is the style's; the height is the one on screen, title bar and frame included.
    int widthTwips() const;
    int heightTwips() const;
    void setWidthTwips(int outerWidth);
    void setLeftTwips(double left);
    void setTopTwips(double top);

    // The load handler: runs once, before the window is first shown.
    virtual void Form_Load() {}

    // Loads the window (its Form_Load, guarded: a failure is shown and the window opens with what was set)
    // and shows it.
    void load();

    static constexpr int kBorderTwips = 90;

private:
    void setClientSize(QSize pixels);
    void repaintUncovered();

    QWidget* m_client;
};

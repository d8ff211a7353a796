// Working windows inside the main window's frame: a fixed client area with a close box and no other.
#include "ui/ChildWindow.h"

#include <QApplication>
#include <QMdiArea>
#include <QPointer>

#include <cmath>

#include "ui/AccessKeys.h"
#include "ui/AccessibleChildWindow.h"
#include "ui/Guard.h"
#include "ui/Twips.h"

namespace {

// The fixed-size hint is what keeps the frame from offering to resize the window.
constexpr Qt::WindowFlags kFlags = Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                   Qt::MSWindowsFixedSizeDialogHint;

int toPixels(double twips) {
    return static_cast<int>(std::lround(twips / Twips::kPerPixel));
}

}  // namespace

ChildWindow::ChildWindow(QMdiArea* area, int clientWidthTwips, int clientHeightTwips)
    : QMdiSubWindow(nullptr, kFlags), m_client(new QWidget(this)) {
    AccessibleChildWindow::install();
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(m_client);
    new AccessKeys(this);
    // The frame has its margins only once the window is in the area.
    if (area != nullptr) {
        area->addSubWindow(this, kFlags);
    }
    setClientSize(Twips::size(clientWidthTwips, clientHeightTwips));
}

int ChildWindow::widthTwips() const {
    return Twips::fromPixels(m_client->width()) + kBorderTwips;
}

int ChildWindow::heightTwips() const {
    return Twips::fromPixels(height());
}

void ChildWindow::setWidthTwips(int outerWidth) {
    setClientSize({Twips::toPixels(outerWidth - kBorderTwips), m_client->height()});
}

void ChildWindow::setLeftTwips(double left) {
    move(toPixels(left), y());
}

void ChildWindow::setTopTwips(double top) {
    move(x(), toPixels(top));
}

void ChildWindow::load() {
    runGuarded([this] { Form_Load(); });
    show();
}

void ChildWindow::setClientSize(QSize pixels) {
    m_client->setFixedSize(pixels);
    // The frame and title bar are the style's; the window's outer size follows the client area and cannot
    // be dragged to another.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    adjustSize();
    setFixedSize(size());
    if (isVisible()) {
        repaintUncovered();
    }
}

void ChildWindow::repaintUncovered() {
    // On X11 a frame widened while shown leaves the client area it uncovers unpainted (dark) until the window
    // is activated again, whatever is updated; showing the client afresh paints it whole. The focus is put
    // back where it was.
    QPointer<QWidget> focused = QApplication::focusWidget();
    const bool focusInside = focused != nullptr && m_client->isAncestorOf(focused);
    m_client->hide();
    m_client->show();
    if (focusInside && focused != nullptr && focused->isVisible()) {
        focused->setFocus();
    }
}

// Working windows: a guarded load, a fixed client area inside the style's frame, an outer width with its
// border, and no window left once closed.
#include <QMdiArea>
#include <QPointer>
#include <QtTest>

#include <stdexcept>

#include "tests/support/MessageRecorder.h"
#include "ui/ChildWindow.h"
#include "ui/Twips.h"

using namespace Qt::StringLiterals;

namespace {

class FailingLoad final : public ChildWindow {
public:
    using ChildWindow::ChildWindow;
    void Form_Load() override {
        visibleWhileLoading = isVisible();
        setWindowTitle(u"Set before the failure"_s);
        throw std::runtime_error("Disk full");
    }
    bool visibleWhileLoading = true;
};

}  // namespace

class ChildWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The window opens even when its load fails, the failure told once; its client area keeps the designed
    // size, inside the style's frame, until an outer width (its border included) is set; it cannot be
    // resized; closed, it is gone.
    void opensFixedInItsFrameAndCloseDestroys() {
        MessageRecorder messages;
        QMdiArea area;
        area.show();
        QPointer<FailingLoad> window = new FailingLoad(&area, 10275, 4140);
        window->load();
        QVERIFY(!window->visibleWhileLoading);
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), u"Set before the failure"_s);
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().prompt, u"Disk full"_s);
        QCOMPARE(window->client()->size(), Twips::size(10275, 4140));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

        window->setWidthTwips(5040);
        QCOMPARE(window->widthTwips(), 5040);
        QCOMPARE(window->client()->size(), Twips::size(4950, 4140));
        QVERIFY(window->width() > window->client()->width() && window->height() > window->client()->height());
        QCOMPARE(window->minimumSize(), window->size());
        QCOMPARE(window->maximumSize(), window->size());
        window->close();
        QTRY_VERIFY(window.isNull());
    }
};

QTEST_MAIN(ChildWindowTest)
#include "test_ChildWindow.moc"

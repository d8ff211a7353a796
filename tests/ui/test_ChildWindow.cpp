// Working windows: a fixed client area inside the style's frame, an outer width with its border, a guarded
// load, and no window left once closed.
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
    void fixedSizeAndOuterWidth_data() {
        QTest::addColumn<int>("outerWidth");
        QTest::addColumn<int>("clientWidth");
        QTest::newRow("as designed") << 0 << 10275;
        QTest::newRow("narrow") << 5040 << 4950;
        QTest::newRow("wide") << 10365 << 10275;
    }

    void fixedSizeAndOuterWidth() {
        QFETCH(int, outerWidth);
        QFETCH(int, clientWidth);
        QMdiArea area;
        area.show();
        auto* window = new ChildWindow(&area, 10275, 4140);
        window->load();
        if (outerWidth != 0) {
            window->setWidthTwips(outerWidth);
            QCOMPARE(window->widthTwips(), outerWidth);
        }
        QCOMPARE(window->client()->size(), Twips::size(clientWidth, 4140));
        // The style's frame and title bar lie around the client area, and the window cannot be resized.
        QVERIFY(window->width() > window->client()->width() && window->height() > window->client()->height());
        QCOMPARE(window->heightTwips(), Twips::fromPixels(window->height()));
        QCOMPARE(window->minimumSize(), window->size());
        QCOMPARE(window->maximumSize(), window->size());
        QVERIFY(!(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    void failedLoadStillOpensAndCloseDestroys() {
        MessageRecorder messages;
        QMdiArea area;
        area.show();
        QPointer<FailingLoad> window = new FailingLoad(&area, 4575, 3315);
        window->load();
        QVERIFY(!window->visibleWhileLoading);
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), u"Set before the failure"_s);
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().prompt, u"Disk full"_s);
        window->close();
        QTRY_VERIFY(window.isNull());
    }
};

QTEST_MAIN(ChildWindowTest)
#include "test_ChildWindow.moc"

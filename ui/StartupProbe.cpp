// Reports the first frame of a window, then ends the process; or prints the messages shown instead of it.
#include "ui/StartupProbe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "ui/MessageBox.h"

namespace {

// Watches the native window: its first expose is painted and flushed synchronously, so once that event
// has been handled the frame is on screen.
class FirstFrameFilter final : public QObject {
public:
    explicit FirstFrameFilter(QWindow* window) : QObject(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            QTimer::singleShot(0, [] { report(); });
        }
        return false;
    }

private:
    [[noreturn]] static void report() {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("shown %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
        std::_Exit(0);
    }
};

}  // namespace

namespace StartupProbe {

void reportFirstFrame(QWidget* window) {
    if (std::getenv("ORVELLA_STARTUP_PROBE") == nullptr) {
        return;
    }
    window->winId();  // creates the native window so its events can be watched
    QWindow* handle = window->windowHandle();
    handle->installEventFilter(new FirstFrameFilter(handle));
}

void printMessages() {
    if (std::getenv("ORVELLA_STARTUP_PROBE") == nullptr) {
        return;
    }
    setMessageBoxHandler([](const QString& prompt, int buttons, const QString&) {
        std::printf("message %d %s\n", buttons, prompt.toUtf8().constData());
        std::fflush(stdout);
        return Msg::AnswerOk;
    });
}

}  // namespace StartupProbe

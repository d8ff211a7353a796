// Turns failures thrown by event handlers into messages, so that none reaches the event loop.
#include "ui/Guard.h"

#include <QCoreApplication>
#include <QTimer>

#include <exception>

#include "ui/MessageBox.h"

using namespace Qt::StringLiterals;

namespace {

// Gives the failure's description, or an empty text when the handler finished.
QString runCatching(const std::function<void()>& handler) noexcept {
    try {
        handler();
        return {};
    } catch (const std::exception& failure) {
        const QString description = QString::fromUtf8(failure.what());
        return description.isEmpty() ? u"An unexpected error occurred."_s : description;
    } catch (...) {
        return u"An unexpected error occurred."_s;
    }
}

void showFailure(const QString& description) noexcept {
    try {
        MsgBox(description, Msg::OkExclamation, u"Orvella"_s);
    } catch (...) {
        // The message box itself failed: there is nobody left to tell.
    }
}

}  // namespace

bool runGuarded(const std::function<void()>& handler) noexcept {
    const QString failure = runCatching(handler);
    if (failure.isEmpty()) {
        return true;
    }
    showFailure(failure);
    return false;
}

bool runGuardedQueued(const std::function<void()>& handler) noexcept {
    const QString failure = runCatching(handler);
    if (failure.isEmpty()) {
        return true;
    }
    try {
        showMessageQueued(failure, Msg::OkExclamation);
    } catch (...) {
        showFailure(failure);
    }
    return false;
}

void showMessageQueued(const QString& prompt, int buttons, const QString& title) {
    QTimer::singleShot(0, QCoreApplication::instance(),
                       [prompt, buttons, title] { runGuarded([&] { MsgBox(prompt, buttons, title); }); });
}

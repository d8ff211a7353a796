// The real message box behind MsgBox, and the hook that replaces it.
#include "ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

MessageBoxHandler& installedHandler() {
    static MessageBoxHandler handler;
    return handler;
}

QMessageBox::Icon iconFor(int code) {
    switch (code & 0x70) {
        case 16:
            return QMessageBox::Critical;
        case 32:
            return QMessageBox::Question;
        case 48:
            return QMessageBox::Warning;
        case 64:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons buttonsFor(int code) {
    switch (code & 0x07) {
        case 1:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case 3:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case 4:
            return QMessageBox::Yes | QMessageBox::No;
        default:
            return QMessageBox::Ok;
    }
}

int answerFor(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return Msg::AnswerYes;
        case QMessageBox::No:
            return Msg::AnswerNo;
        case QMessageBox::Cancel:
            return Msg::AnswerCancel;
        default:
            return Msg::AnswerOk;
    }
}

int showRealBox(const QString& prompt, int code, const QString& title) {
    QString text = prompt;
    text.replace(u"\r\n"_s, u"\n"_s);
    const QPointer<QWidget> owner = QApplication::activeWindow();
    QMessageBox box(iconFor(code), title, text, buttonsFor(code), owner);
    box.setWindowModality(Qt::ApplicationModal);
    const int answer = answerFor(box.exec());
    // The keys go back to the window the box came over. A window manager would see to that, but without one
    // (or with a minimal one) no window is active once the box has gone, and no key reaches the program
    // until the user clicks.
    if (owner != nullptr && QApplication::activeWindow() == nullptr) {
        owner->activateWindow();
    }
    return answer;
}

}  // namespace

int MsgBox(const QString& prompt, int buttons, const QString& title) {
    if (const MessageBoxHandler& handler = installedHandler()) {
        return handler(prompt, buttons, title);
    }
    return showRealBox(prompt, buttons, title);
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(installedHandler(), std::move(handler));
}

// Modal message boxes: one function for every message of the program, replaceable so tests can answer them.
#pragma once

#include <QString>

#include <functional>

// Buttons-and-icon codes and answers of MsgBox.
namespace Msg {
inline constexpr int OkOnly = 0;
inline constexpr int YesNoQuestion = 36;
inline constexpr int OkExclamation = 48;
inline constexpr int YesNoExclamation = 52;
inline constexpr int OkInformation = 64;

inline constexpr int AnswerOk = 1;
inline constexpr int AnswerCancel = 2;
inline constexpr int AnswerYes = 6;
inline constexpr int AnswerNo = 7;
}  // namespace Msg

// (prompt, buttons-and-icon code, title) -> answer.
using MessageBoxHandler = std::function<int(const QString&, int, const QString&)>;

// Shows the prompt modally over the active window and gives the button pressed (Msg::Answer...).
// Line breaks in the prompt may be CR LF pairs.
int MsgBox(const QString& prompt, int buttons = Msg::OkOnly,
           const QString& title = QStringLiteral("Orvella"));

// Routes every MsgBox through the handler; an empty handler restores the real message box.
// Gives the handler that was in place.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

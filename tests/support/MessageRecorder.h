// Stands in for the message box while it lives: keeps every message and answers from a script.
#pragma once

#include <QList>
#include <QString>

#include <deque>
#include <functional>

#include "ui/MessageBox.h"

class MessageRecorder final {
public:
    struct Message {
        QString prompt;
        int buttons = 0;
        QString title;
    };

    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    // The answers to the next messages, in order. Once they run out a Yes/No box is answered No and
    // any other box OK.
    void answer(std::initializer_list<int> answers);

    // Called with each message as it arrives, before it is answered: to look at the screen at that moment.
    void onMessage(std::function<void(const Message&)> observer);

    const QList<Message>& messages() const { return m_messages; }
    int count() const { return static_cast<int>(m_messages.size()); }
    // The last message; an empty one when there was none.
    Message last() const;
    // The messages in order, " / " between them: an information as its prompt, a question after "asked: ",
    // any other after "failed: " with the first clause of its description (the rest is the engine's
    // wording); a title other than the program's own follows in brackets.
    QString told() const;

private:
    int respond(const QString& prompt, int buttons, const QString& title);

    QList<Message> m_messages;
    std::deque<int> m_answers;
    std::function<void(const Message&)> m_observer;
    MessageBoxHandler m_previous;
};

// Stands in for the message box while it lives: keeps every message and answers from a script.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

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

    MessageRecorder()
        : m_previous(setMessageBoxHandler([this](const QString& prompt, int buttons, const QString& title) {
              return respond(prompt, buttons, title);
          })) {}
    ~MessageRecorder() { setMessageBoxHandler(std::move(m_previous)); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    // The answers to the next messages; once they run out, a Yes/No box is answered No, any other OK.
    void answer(std::initializer_list<int> answers) { m_answers.insert(m_answers.end(), answers); }

    // Called with each message as it arrives, before it is answered: to look at the screen at that moment.
    void onMessage(std::function<void(const Message&)> observer) { m_observer = std::move(observer); }

    int count() const { return static_cast<int>(m_messages.size()); }
    // The last message; an empty one when there was none.
    Message last() const { return m_messages.isEmpty() ? Message{} : m_messages.last(); }

    // The messages, " / " between them: an information as its prompt, a warning's question after "asked: ", a
    // warning as "failed: " and its first clause (the rest is the engine's wording), any other after its
    // code in brackets; a title other than the program's own follows in brackets.
    QString told() const {
        using namespace Qt::StringLiterals;
        QStringList told;
        for (const Message& message : m_messages) {
            const QString shown =
                message.buttons == Msg::OkInformation      ? message.prompt
                : message.buttons == Msg::YesNoExclamation ? u"asked: "_s + message.prompt
                : message.buttons == Msg::OkExclamation
                    ? u"failed: "_s + message.prompt.section(u':', 0, 0).section(u" ("_s, 0, 0)
                    : u"(%1) "_s.arg(message.buttons) + message.prompt;
            told << (message.title == u"Orvella"_s ? shown : shown + u" ["_s + message.title + u']');
        }
        return told.join(u" / "_s);
    }

private:
    int respond(const QString& prompt, int buttons, const QString& title) {
        m_messages.append({prompt, buttons, title});
        if (m_observer) {
            m_observer(m_messages.last());
        }
        if (m_answers.empty()) {
            return (buttons & 0x07) == 4 ? Msg::AnswerNo : Msg::AnswerOk;  // a Yes/No box, or another
        }
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    QList<Message> m_messages;
    std::deque<int> m_answers;
    std::function<void(const Message&)> m_observer;
    MessageBoxHandler m_previous;
};

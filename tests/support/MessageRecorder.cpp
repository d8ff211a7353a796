// The message-box recorder.
#include "tests/support/MessageRecorder.h"

#include <QStringList>

using namespace Qt::StringLiterals;

MessageRecorder::MessageRecorder()
    : m_previous(setMessageBoxHandler([this](const QString& prompt, int buttons, const QString& title) {
          return respond(prompt, buttons, title);
      })) {}

MessageRecorder::~MessageRecorder() {
    setMessageBoxHandler(std::move(m_previous));
}

void MessageRecorder::answer(std::initializer_list<int> answers) {
    m_answers.insert(m_answers.end(), answers);
}

void MessageRecorder::onMessage(std::function<void(const Message&)> observer) {
    m_observer = std::move(observer);
}

MessageRecorder::Message MessageRecorder::last() const {
    return m_messages.isEmpty() ? Message{} : m_messages.last();
}

QString MessageRecorder::told() const {
    QStringList told;
    for (const Message& message : m_messages) {
        const QString shown = message.buttons == Msg::OkInformation ? message.prompt
                              : message.buttons == Msg::YesNoExclamation
                                  ? u"asked: "_s + message.prompt
                                  : u"failed: "_s + message.prompt.section(u':', 0, 0).section(u" ("_s, 0, 0);
        told << (message.title == u"Orvella"_s ? shown : shown + u" ["_s + message.title + u']');
    }
    return told.join(u" / "_s);
}

int MessageRecorder::respond(const QString& prompt, int buttons, const QString& title) {
    m_messages.append({prompt, buttons, title});
    if (m_observer) {
        m_observer(m_messages.last());
    }
    if (!m_answers.empty()) {
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    const bool yesNo = (buttons & 0x07) == 4;
    return yesNo ? Msg::AnswerNo : Msg::AnswerOk;
}

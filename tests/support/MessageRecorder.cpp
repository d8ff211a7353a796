// The message-box recorder.
#include "tests/support/MessageRecorder.h"

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

// The recorded messages as one text.
#include "tests/support/MessagesTold.h"

#include <QStringList>

using namespace Qt::StringLiterals;

QString messagesTold(const MessageRecorder& recorder) {
    QStringList told;
    for (const MessageRecorder::Message& message : recorder.messages()) {
        QString shown = message.buttons == Msg::OkInformation ? message.prompt
                        : message.buttons == Msg::YesNoExclamation
                            ? u"asked: "_s + message.prompt
                            : u"failed: "_s + message.prompt.section(u':', 0, 0).section(u" ("_s, 0, 0);
        told << (message.title == u"Orvella"_s ? shown : shown + u" ["_s + message.title + u']');
    }
    return told.join(u" / "_s);
}

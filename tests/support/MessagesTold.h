// The messages a test recorded, as one text to compare with what the user is to be told.
#pragma once

#include <QString>

#include "tests/support/MessageRecorder.h"

// The messages in order, " / " between them: an information as its prompt, a question after "asked: ", any
// other message after "failed: " with the first clause of its description (the rest, and the explanation in
// brackets, is the engine's wording); a title other than the program's own follows in brackets.
QString messagesTold(const MessageRecorder& recorder);

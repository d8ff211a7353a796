// Text boxes that hold any text a text column stores: of any length, and without the NUL character.
#pragma once

class QLineEdit;
class QPlainTextEdit;

namespace TextBoxes {

// The box takes a text of any length. It drops every NUL from what it is given (typed, pasted, dropped or set
// by the program) and keeps the rest as it came: a NUL cannot be shown, and would end a statement's text.
void holdAnyText(QLineEdit& box);

// The same for a box of several lines, whose lines also wrap in a time that grows with their length.
void holdAnyText(QPlainTextEdit& box);

}  // namespace TextBoxes

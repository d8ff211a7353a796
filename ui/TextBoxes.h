// Text boxes that hold any text a text column stores, of any length.
#pragma once

class QLineEdit;

namespace TextBoxes {

// The box takes a text of any length: a line box cuts what it is given at 32,767 characters otherwise.
void holdAnyText(QLineEdit& box);

}  // namespace TextBoxes

// Text boxes that hold any text: no length limit.
#include "ui/TextBoxes.h"

#include <QLineEdit>

#include <limits>

namespace TextBoxes {

void holdAnyText(QLineEdit& box) {
    box.setMaxLength(std::numeric_limits<int>::max());
}

}  // namespace TextBoxes

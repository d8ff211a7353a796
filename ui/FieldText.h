// A field's value as a list cell or a combo entry shows it.
#pragma once

#include <QString>

#include "data/Variant.h"

namespace FieldText {

// Null is blank, a text is shown as stored, a number in its plain text form (a zero amount shows 0),
// a date in the user's short date form with a four-digit year.
QString of(const Variant& value);

}  // namespace FieldText

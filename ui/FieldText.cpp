// Field values turned into the texts the lists and combo boxes show.
#include "ui/FieldText.h"

#include "ui/DateText.h"

namespace FieldText {

QString of(const Variant& value) {
    switch (value.type()) {
        case Variant::Type::Null:
            return {};
        case Variant::Type::Date:
            return DateText::toText(DateText::toQDate(value.toDate()));
        case Variant::Type::Integer:
        case Variant::Type::Decimal:
        case Variant::Type::Text:
            break;
    }
    return QString::fromStdString(value.toText());
}

}  // namespace FieldText

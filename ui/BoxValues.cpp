// Statement values from boxes, and numbers for boxes, through the one set of value forms.
#include "ui/BoxValues.h"

#include "data/ValueForms.h"

namespace BoxValues {

std::string bareNumber(const QString& text) {
    return ValueForms::plainText(numericValue(text));
}

std::string recordNumber(const QString& text) {
    return ValueForms::plainText(ValueForms::recordNumber(text.toStdString()));
}

std::string quoted(const QString& text) {
    return ValueForms::literalText(text.toStdString());
}

double numericValue(const QString& text) {
    return ValueForms::numericValue(text.toStdString());
}

QString plain(long long value) {
    return QString::fromStdString(ValueForms::plainText(value));
}

}  // namespace BoxValues

// Statement values from boxes, and numbers for boxes, through the one set of value forms.
#include "ui/BoxValues.h"

#include <QLocale>

#include "data/ValueForms.h"

namespace BoxValues {

std::string decimalMark() {
    return QLocale().decimalPoint().toStdString();
}

std::string bareAmount(const QString& text) {
    return ValueForms::plainText(ValueForms::numericValue(text.toStdString(), decimalMark()));
}

std::string recordNumber(const QString& text) {
    return ValueForms::plainText(ValueForms::recordNumber(text.toStdString()));
}

std::string quoted(const QString& text) {
    return ValueForms::literalText(text.toStdString());
}

QString amountText(double amount) {
    return QString::fromStdString(ValueForms::plainText(amount, decimalMark()));
}

QString plain(long long value) {
    return QString::fromStdString(ValueForms::plainText(value));
}

}  // namespace BoxValues

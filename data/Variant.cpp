// Field values and their plain text forms.
#include "data/Variant.h"

#include <cmath>
#include <limits>

#include "data/DbError.h"
#include "data/ValueForms.h"

Variant Variant::integer(std::int64_t value) {
    Variant v;
    v.m_value = value;
    return v;
}

Variant Variant::decimal(double value) {
    Variant v;
    v.m_value = value;
    return v;
}

Variant Variant::text(std::string value) {
    Variant v;
    v.m_value = std::move(value);
    return v;
}

Variant Variant::date(CalendarDate value) {
    Variant v;
    v.m_value = value;
    return v;
}

Variant::Type Variant::type() const {
    return static_cast<Type>(m_value.index());
}

std::string Variant::toText() const {
    switch (type()) {
        case Type::Null:
            return {};
        case Type::Integer:
            return ValueForms::plainText(static_cast<long long>(std::get<std::int64_t>(m_value)));
        case Type::Decimal:
            return ValueForms::plainText(std::get<double>(m_value));
        case Type::Text:
            return std::get<std::string>(m_value);
        case Type::Date:
            return std::get<CalendarDate>(m_value).isoText();
    }
    return {};
}

double Variant::toDouble() const {
    switch (type()) {
        case Type::Integer:
            return static_cast<double>(std::get<std::int64_t>(m_value));
        case Type::Decimal:
            return std::get<double>(m_value);
        case Type::Text:
            return ValueForms::numericValue(std::get<std::string>(m_value));
        case Type::Null:
        case Type::Date:
            break;
    }
    return 0;
}

std::int64_t Variant::toInt64() const {
    if (type() == Type::Integer) {
        return std::get<std::int64_t>(m_value);
    }
    const double value = std::trunc(toDouble());
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double kLimit = 9223372036854775808.0;
    if (!(value > -kLimit && value < kLimit)) {
        throw DbError("The value " + toText() + " is too large for a whole number.");
    }
    return static_cast<std::int64_t>(value);
}

CalendarDate Variant::toDate() const {
    if (type() != Type::Date) {
        throw DbError("The value '" + toText() + "' is not a date.");
    }
    return std::get<CalendarDate>(m_value);
}

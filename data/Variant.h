// A field's value as the windows read it: null, whole number, decimal number, text or date.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "data/CalendarDate.h"

class Variant {
public:
    enum class Type { Null, Integer, Decimal, Text, Date };

    Variant() = default;
    static Variant integer(std::int64_t value);
    static Variant decimal(double value);
    static Variant text(std::string value);
    static Variant date(CalendarDate value);

    Type type() const;
    bool isNull() const { return type() == Type::Null; }

    // The value's plain text form: numbers without grouping or trailing zeros, dates as yyyy-MM-dd,
    // null as the empty text.
    std::string toText() const;
    // Numbers as they are; a text by its numeric value; a date or null gives 0.
    double toDouble() const;
    // The whole-number value (decimals truncated toward zero; out of range fails with DbError).
    std::int64_t toInt64() const;
    // The date; fails with DbError for any other type.
    CalendarDate toDate() const;

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    std::variant<std::monostate, std::int64_t, double, std::string, CalendarDate> m_value;
};

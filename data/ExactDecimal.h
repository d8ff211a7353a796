// Exact decimal numbers in whole ten-thousandths, as wide as a 128-bit integer: sums of amounts and the
// figures worked out from them, which a double would round beyond 15 significant digits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class ExactDecimal {
public:
    ExactDecimal() = default;

    // The amount rounded to ten-thousandths; nothing when it is not finite or too large to be added up.
    static std::optional<ExactDecimal> fromDouble(double value);
    static ExactDecimal fromWhole(std::int64_t value);
    // The leading number of a text (as ValueForms::numericValue reads it), exactly; nothing when it has more
    // than four decimals or does not fit.
    static std::optional<ExactDecimal> fromText(std::string_view text);

    // Nothing when the result does not fit.
    std::optional<ExactDecimal> plus(const ExactDecimal& other) const;
    std::optional<ExactDecimal> minus(const ExactDecimal& other) const;
    bool operator<(const ExactDecimal& other) const { return m_units < other.m_units; }

    // The plain text form with every digit: no grouping, '.' as decimal mark, no trailing zeros.
    std::string plainText() const;
    // The balance form "#,##0.00", rounded half away from zero.
    std::string balanceText() const;

private:
    __extension__ typedef __int128 Units;

    explicit ExactDecimal(Units units) : m_units(units) {}
    // The value as text the value forms read digit for digit: the units and an exponent of -4.
    std::string unitsText() const;

    Units m_units = 0;
};

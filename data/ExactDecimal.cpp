// Exact decimals: the arithmetic in whole ten-thousandths; the digits are read and written by the value
// forms.
#include "data/ExactDecimal.h"

#include <cmath>

#include "data/ValueForms.h"

namespace {

constexpr int kDecimals = 4;
constexpr int kScale = 10000;
// Beyond this a single value cannot be held in ten-thousandths with room to add more.
constexpr double kLargest = 1e32;
constexpr int kMantissaBits = 53;

}  // namespace

std::optional<ExactDecimal> ExactDecimal::fromDouble(double value) {
    if (!std::isfinite(value) || std::fabs(value) > kLargest) {
        return std::nullopt;
    }
    // The double's exact value, a 53-bit whole number times a power of two, times 10^4 and rounded half away
    // from zero: multiplying in doubles would round large values (1e20 * 10^4 is not a double).
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    Units units = static_cast<Units>(std::ldexp(fraction, kMantissaBits)) * kScale;
    exponent -= kMantissaBits;
    if (exponent >= 0) {
        units <<= exponent;
    } else if (exponent > -100) {
        const Units divisor = static_cast<Units>(1) << -exponent;
        units = (units + divisor / 2) / divisor;
    } else {
        units = 0;
    }
    return ExactDecimal(value < 0 ? -units : units);
}

ExactDecimal ExactDecimal::fromWhole(std::int64_t value) {
    return ExactDecimal(static_cast<Units>(value) * kScale);
}

std::optional<ExactDecimal> ExactDecimal::fromText(std::string_view text) {
    const ValueForms::DecimalDigits number = ValueForms::leadingDigits(text);
    Units units = 0;
    for (const char digit : number.digits) {
        if (__builtin_mul_overflow(units, 10, &units) || __builtin_add_overflow(units, digit - '0', &units)) {
            return std::nullopt;
        }
    }
    const long long decimals = static_cast<long long>(number.digits.size()) - number.pointPosition;
    if (decimals > kDecimals) {
        return std::nullopt;
    }
    for (long long i = decimals; i < kDecimals && units != 0; ++i) {
        if (__builtin_mul_overflow(units, 10, &units)) {
            return std::nullopt;
        }
    }
    return ExactDecimal(number.negative ? -units : units);
}

std::optional<ExactDecimal> ExactDecimal::plus(const ExactDecimal& other) const {
    Units sum = 0;
    if (__builtin_add_overflow(m_units, other.m_units, &sum)) {
        return std::nullopt;
    }
    return ExactDecimal(sum);
}

std::optional<ExactDecimal> ExactDecimal::minus(const ExactDecimal& other) const {
    Units difference = 0;
    if (__builtin_sub_overflow(m_units, other.m_units, &difference)) {
        return std::nullopt;
    }
    return ExactDecimal(difference);
}

std::string ExactDecimal::plainText() const {
    return ValueForms::plainText(ValueForms::leadingDigits(unitsText()));
}

std::string ExactDecimal::balanceText() const {
    return ValueForms::balanceText(ValueForms::leadingDigits(unitsText()));
}

std::string ExactDecimal::unitsText() const {
    __extension__ typedef unsigned __int128 Magnitude;
    // The magnitude is taken unsigned: the most negative value has no positive counterpart.
    Magnitude rest = m_units < 0 ? -static_cast<Magnitude>(m_units) : static_cast<Magnitude>(m_units);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(rest % 10)));
        rest /= 10;
    } while (rest > 0);
    return (m_units < 0 ? "-" : "") + digits + "e-" + std::to_string(kDecimals);
}

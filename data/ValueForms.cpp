// The value forms: quoting, dates in statements, the numeric value and test, plain text and balance forms.
#include "data/ValueForms.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "data/DbError.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

using ValueForms::DecimalDigits;

// A leading number as the scanner found it, and where reading stopped.
struct ScannedNumber {
    bool found = false;
    DecimalDigits number;
    std::size_t end = 0;
};

// Exponents beyond this make every amount overflow or vanish; capping keeps the arithmetic in range.
constexpr long long kExponentCap = 100000;

// Reads an optional exponent at pos; leaves pos alone when no digits follow the 'e' and its sign.
long long scanExponent(std::string_view text, std::size_t& pos) {
    std::size_t p = pos;
    if (p >= text.size() || (text[p] != 'e' && text[p] != 'E')) {
        return 0;
    }
    ++p;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
        negative = text[p] == '-';
        ++p;
    }
    if (p >= text.size() || !isDigit(text[p])) {
        return 0;
    }
    long long exponent = 0;
    for (; p < text.size() && isDigit(text[p]); ++p) {
        exponent = std::min(exponent * 10 + (text[p] - '0'), kExponentCap);
    }
    pos = p;
    return negative ? -exponent : exponent;
}

// Significant digits with their point position: leading and trailing zeros removed, value unchanged.
void normalise(DecimalDigits& number) {
    std::string& digits = number.digits;
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        digits.clear();
        return;
    }
    digits.erase(0, first);
    number.pointPosition -= static_cast<long long>(first);
    digits.erase(digits.find_last_not_of('0') + 1);
}

// The leading number of a text: blanks, an optional sign, digits with at most one decimal mark, an exponent.
ScannedNumber scanLeadingNumber(std::string_view text, std::string_view decimalMark) {
    ScannedNumber scanned;
    DecimalDigits& number = scanned.number;
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos])) {
        ++pos;
    }
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        number.negative = text[pos] == '-';
        ++pos;
    }
    std::size_t before = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos, ++before) {
        number.digits.push_back(text[pos]);
    }
    if (!decimalMark.empty() && text.substr(pos, decimalMark.size()) == decimalMark) {
        pos += decimalMark.size();
        for (; pos < text.size() && isDigit(text[pos]); ++pos) {
            number.digits.push_back(text[pos]);
        }
    }
    if (number.digits.empty()) {
        return {};
    }
    scanned.found = true;
    number.pointPosition = static_cast<long long>(before) + scanExponent(text, pos);
    scanned.end = pos;
    normalise(number);
    return scanned;
}

// The fifteen significant digits of a finite, non-zero value and its decimal point position.
DecimalDigits significantDigits(double value) {
    // to_chars, unlike printf, writes '.' whatever the C library's locale: d.dddddddddddddde[+-]x
    char buffer[40];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const auto e = text.find('e');
    DecimalDigits number;
    number.negative = value < 0;
    number.digits.assign(1, text[0]);
    number.digits.append(text.substr(2, e - 2));
    int exponent = 0;
    const auto* expBegin = text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0);
    std::from_chars(expBegin, text.data() + text.size(), exponent);
    number.pointPosition = exponent + 1;
    normalise(number);
    return number;
}

// Fixed notation from significant digits and point position.
std::string fixedText(const std::string& digits, long long pointPosition, std::string_view decimalMark) {
    std::string text;
    if (pointPosition <= 0) {
        text = "0";
        text += decimalMark;
        text.append(static_cast<std::size_t>(-pointPosition), '0');
        text += digits;
    } else if (pointPosition >= static_cast<long long>(digits.size())) {
        text = digits;
        text.append(static_cast<std::size_t>(pointPosition) - digits.size(), '0');
    } else {
        text = digits.substr(0, static_cast<std::size_t>(pointPosition));
        text += decimalMark;
        text += digits.substr(static_cast<std::size_t>(pointPosition));
    }
    return text;
}

std::string groupedByThree(const std::string& whole) {
    std::string grouped;
    const std::size_t n = whole.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) {
            grouped += ',';
        }
        grouped += whole[i];
    }
    return grouped;
}

// Adds one to a string of decimal digits.
void incrementDigits(std::string& number) {
    for (auto it = number.rbegin(); it != number.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    number.insert(number.begin(), '1');
}

}  // namespace

namespace ValueForms {

std::string literalText(std::string_view text) {
    std::string literal;
    literal.reserve(text.size() + 8);
    for (const char c : text) {
        literal += c;
        if (c == '\'') {
            literal += '\'';
        }
    }
    return literal;
}

std::string literalDate(const CalendarDate& date) {
    return date.isoText();
}

DecimalDigits leadingDigits(std::string_view text, std::string_view decimalMark) {
    return scanLeadingNumber(text, decimalMark).number;
}

double numericValue(std::string_view text, std::string_view decimalMark) {
    const DecimalDigits number = leadingDigits(text, decimalMark);
    if (number.digits.empty()) {
        return number.negative ? -0.0 : 0.0;
    }
    // Rebuilt as 0.DIGITS e POINT, which from_chars reads the same in every locale.
    const std::string canonical = "0." + number.digits + "e" + std::to_string(number.pointPosition);
    double value = 0;
    const auto result = std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = number.pointPosition > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return number.negative ? -value : value;
}

bool isNumeric(std::string_view text, std::string_view decimalMark) {
    std::size_t last = text.size();
    while (last > 0 && isBlank(text[last - 1])) {
        --last;
    }
    text = text.substr(0, last);
    const ScannedNumber scanned = scanLeadingNumber(text, decimalMark);
    if (!scanned.found || scanned.end != text.size()) {
        return false;
    }
    const DecimalDigits& number = scanned.number;
    constexpr long long kWholeDigits = 11;
    constexpr long long kDecimals = 4;
    const long long digitCount = static_cast<long long>(number.digits.size());
    const long long whole = std::max(number.pointPosition, 0LL);
    const long long decimals = std::max(digitCount - number.pointPosition, 0LL);
    return number.digits.empty() || (whole <= kWholeDigits && decimals <= kDecimals);
}

bool isKeptAmount(double amount) {
    return std::isfinite(amount) && amount >= 0 && isNumeric(plainText(amount));
}

std::string plainText(double value, std::string_view decimalMark) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "Infinity" : "-Infinity";
    }
    return plainText(value == 0 ? DecimalDigits{} : significantDigits(value), decimalMark);
}

std::string plainText(const DecimalDigits& number, std::string_view decimalMark) {
    if (number.digits.empty()) {
        return "0";
    }
    std::string text = fixedText(number.digits, number.pointPosition, decimalMark);
    if (number.negative) {
        text.insert(0, 1, '-');
    }
    return text;
}

std::string plainText(long long value) {
    return std::to_string(value);
}

long long recordNumber(std::string_view text) {
    const ScannedNumber scanned = scanLeadingNumber(text, ".");
    const DecimalDigits& number = scanned.number;
    if (number.digits.empty()) {
        return 0;
    }
    // A fraction is refused, and so is a number of more digits than 64 bits hold or beyond the largest.
    constexpr long long kMostDigits = 19;
    const long long digitCount = static_cast<long long>(number.digits.size());
    bool held = digitCount <= number.pointPosition && number.pointPosition <= kMostDigits;
    long long value = 0;
    if (held) {
        std::string digits = number.negative ? "-" + number.digits : number.digits;
        digits.append(static_cast<std::size_t>(number.pointPosition - digitCount), '0');
        held = std::from_chars(digits.data(), digits.data() + digits.size(), value).ec == std::errc();
    }
    if (!held) {
        const std::size_t first = text.find_first_not_of(" \t");
        throw DbError(unheldRecordNumber(text.substr(first, scanned.end - first)));
    }
    return value;
}

std::string unheldRecordNumber(std::string_view number) {
    return "Record number " + std::string(number) +
           " cannot be used: record numbers are whole numbers up to 9223372036854775807.";
}

std::string balanceText(const DecimalDigits& number) {
    std::string whole = "0";
    std::string hundredths = "00";
    if (!number.digits.empty()) {
        std::string digits = number.digits;
        long long point = number.pointPosition;
        // Pad to the point and two decimals plus one for rounding, then round half away from zero.
        if (point <= 0) {
            digits.insert(0, static_cast<std::size_t>(-point), '0');
            point = 0;
        }
        const std::size_t wanted = static_cast<std::size_t>(point) + 3;
        if (digits.size() < wanted) {
            digits.append(wanted - digits.size(), '0');
        }
        const bool roundUp = digits[wanted - 1] >= '5';
        std::string kept = digits.substr(0, wanted - 1);
        if (roundUp) {
            incrementDigits(kept);
        }
        whole = kept.substr(0, kept.size() - 2);
        hundredths = kept.substr(kept.size() - 2);
        const auto first = whole.find_first_not_of('0');
        whole = first == std::string::npos ? "0" : whole.substr(first);
    }
    const bool isZero = whole == "0" && hundredths == "00";
    const bool negative = number.negative && !isZero;
    std::string text = groupedByThree(whole);
    text += '.';
    text += hundredths;
    if (negative) {
        text.insert(0, 1, '-');
    }
    return text;
}

}  // namespace ValueForms

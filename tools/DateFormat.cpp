// Date patterns: split once into fields and literal text, then matched digit by digit.
#include "tools/DateFormat.h"

#include "data/DbError.h"

namespace {

struct Token {
    std::string_view text;
    char field;
    std::size_t fewestDigits;
    std::size_t mostDigits;
};

// Longest first, so "MM" is not read as two "M".
constexpr Token kTokens[] = {
    {"yyyy", 'y', 4, 4}, {"MM", 'M', 2, 2}, {"dd", 'd', 2, 2}, {"M", 'M', 1, 2}, {"d", 'd', 1, 2}};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

DateFormat::DateFormat(std::string_view pattern) : m_pattern(pattern) {
    std::string seen;
    while (!pattern.empty()) {
        const Token* token = nullptr;
        for (const Token& candidate : kTokens) {
            if (pattern.starts_with(candidate.text)) {
                token = &candidate;
                break;
            }
        }
        if (token == nullptr) {
            if (m_parts.empty() || m_parts.back().field != 0) {
                m_parts.push_back({0, 0, 0, {}});
            }
            m_parts.back().literal += pattern.front();
            pattern.remove_prefix(1);
            continue;
        }
        if (seen.find(token->field) != std::string::npos) {
            throw DbError("the date format " + m_pattern + " names the " +
                          (token->field == 'y'   ? "year"
                           : token->field == 'M' ? "month"
                                                 : "day") +
                          " twice");
        }
        seen += token->field;
        m_parts.push_back({token->field, token->fewestDigits, token->mostDigits, {}});
        pattern.remove_prefix(token->text.size());
    }
    if (seen.size() != 3) {
        throw DbError("the date format " + m_pattern + " needs yyyy, MM (or M) and dd (or d)");
    }
}

std::optional<CalendarDate> DateFormat::read(std::string_view text) const {
    CalendarDate date;
    for (const Part& part : m_parts) {
        if (part.field == 0) {
            if (!text.starts_with(part.literal)) {
                return std::nullopt;
            }
            text.remove_prefix(part.literal.size());
            continue;
        }
        int value = 0;
        std::size_t digits = 0;
        for (; digits < part.mostDigits && digits < text.size() && isDigit(text[digits]); ++digits) {
            value = value * 10 + (text[digits] - '0');
        }
        if (digits < part.fewestDigits) {
            return std::nullopt;
        }
        text.remove_prefix(digits);
        (part.field == 'y' ? date.year : part.field == 'M' ? date.month : date.day) = value;
    }
    // A day that exists reads back from its own stored form.
    if (!text.empty() || CalendarDate::fromIsoText(date.isoText()) != date) {
        return std::nullopt;
    }
    return date;
}

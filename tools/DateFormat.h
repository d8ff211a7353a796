// How another program writes its dates, such as dd/MM/yyyy: read into the days the program keeps.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/CalendarDate.h"

class DateFormat {
public:
    // yyyy is the year in four digits, MM and dd the month and day in two, M and d in one or two; any other
    // character stands for itself. Fails with DbError unless the year, month and day each appear once.
    explicit DateFormat(std::string_view pattern = "yyyy-MM-dd");

    // The day the whole text names in this form; nothing for any other text or a day that does not exist.
    std::optional<CalendarDate> read(std::string_view text) const;

    const std::string& pattern() const { return m_pattern; }

private:
    struct Part {
        char field;  // 'y', 'M', 'd', or 0 for the literal text
        std::size_t fewestDigits;
        std::size_t mostDigits;
        std::string literal;
    };

    std::string m_pattern;
    std::vector<Part> m_parts;
};

// A day of the calendar, with no time of day: the form in which transaction dates are kept.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;

    // The stored form, yyyy-MM-dd.
    std::string isoText() const;
    // Reads yyyy-MM-dd; nothing for any other text or for a day that does not exist.
    static std::optional<CalendarDate> fromIsoText(std::string_view text);

    friend auto operator<=>(const CalendarDate&, const CalendarDate&) = default;
};

// The days a date box can show: a stored date outside them cannot be loaded into a window.
inline constexpr CalendarDate kFirstShownDate{1752, 9, 14};
inline constexpr CalendarDate kLastShownDate{9999, 12, 31};

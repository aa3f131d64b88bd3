#pragma once
// The clock forms of the files: the time "14:05:09" (hours on the 24-hour clock, minutes, seconds)
// and the date "12-07-2026" (month, day, four-digit year), whatever the regional settings. The
// records' time stamps, the lesson header's date line and the SEND file's name are made of them.
#include <cstddef>
#include <string_view>

#include "format/text.h"

namespace stepwise {

inline constexpr std::size_t timeTextLength = 8;
inline constexpr std::size_t dateTextLength = 10;

Text clockTimeText(int hour, int minute, int second);
Text calendarDateText(int month, int day, int year);

// Digits and separators where the forms have them ("99:99:99", "99-99-9999"), nothing more.
bool isTimeText(std::string_view text);
bool isDateText(std::string_view text);
// Whether the digits of a time or a date in those forms name a real time of day or calendar date
// (29 February in any year, as the year may be a leap year).
bool isValidTime(std::string_view time);
bool isValidDate(std::string_view date);
bool isValidMonthDay(int month, int day);

}  // namespace stepwise

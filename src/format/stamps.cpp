#include "format/stamps.h"

#include "format/numbers.h"

namespace stepwise {

namespace {

constexpr std::string_view timeShape = "99:99:99";
constexpr std::string_view dateShape = "99-99-9999";
static_assert(timeShape.size() == timeTextLength && dateShape.size() == dateTextLength);

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Digits where `shape` has '9', exactly the other characters elsewhere.
bool hasShape(std::string_view text, std::string_view shape) {
    if (text.size() != shape.size()) return false;
    for (std::size_t i = 0; i < shape.size(); ++i)
        if (shape[i] == '9' ? !isDigit(text[i]) : text[i] != shape[i]) return false;
    return true;
}

// Two digits at `at`, as a number.
int twoDigits(std::string_view text, std::size_t at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); }

}  // namespace

Text clockTimeText(int hour, int minute, int second) {
    return fromUtf8(zeroPadded(hour, 2) + ':' + zeroPadded(minute, 2) + ':' + zeroPadded(second, 2));
}

Text calendarDateText(int month, int day, int year) {
    return fromUtf8(zeroPadded(month, 2) + '-' + zeroPadded(day, 2) + '-' + zeroPadded(year, 4));
}

bool isTimeText(std::string_view text) { return hasShape(text, timeShape); }

bool isDateText(std::string_view text) { return hasShape(text, dateShape); }

bool isValidTime(std::string_view time) {
    return isTimeText(time) && twoDigits(time, 0) < 24 && twoDigits(time, 3) < 60 && twoDigits(time, 6) < 60;
}

bool isValidDate(std::string_view date) { return isDateText(date) && isValidMonthDay(twoDigits(date, 0), twoDigits(date, 3)); }

bool isValidMonthDay(int month, int day) {
    constexpr int daysIn[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month >= 1 && month <= 12 && day >= 1 && day <= daysIn[month - 1];
}

}  // namespace stepwise

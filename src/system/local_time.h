#pragma once
#include "format/text.h"

namespace stepwise {

struct LocalTime {
    int year, month, day;
    int hour, minute, second;
};

LocalTime currentLocalTime();

// "14:05:09": two-digit hours on the 24-hour clock, minutes and seconds.
Text formatTime(const LocalTime& t);
// "12-07-2026": month, day and four-digit year, whatever the regional settings.
Text formatDate(const LocalTime& t);

}  // namespace stepwise

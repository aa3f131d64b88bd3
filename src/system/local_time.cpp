#include "system/local_time.h"

#include <chrono>
#include <ctime>

#include "format/stamps.h"

namespace stepwise {

LocalTime currentLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &now);
#else
    localtime_r(&now, &parts);
#endif
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

Text formatTime(const LocalTime& t) { return clockTimeText(t.hour, t.minute, t.second); }

Text formatDate(const LocalTime& t) { return calendarDateText(t.month, t.day, t.year); }

}  // namespace stepwise

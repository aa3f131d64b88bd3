#include "system/local_time.h"

#include <chrono>
#include <cstdio>
#include <ctime>

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

Text formatTime(const LocalTime& t) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return fromUtf8(buffer);
}

Text formatDate(const LocalTime& t) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d-%02d-%04d", t.month, t.day, t.year);
    return fromUtf8(buffer);
}

}  // namespace stepwise

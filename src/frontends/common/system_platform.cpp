#include "frontends/common/system_platform.h"

#include <chrono>

#include "system/path_mapping.h"

namespace stepwise {

SystemPlatform::SystemPlatform(std::filesystem::path driveRoot) : driveRoot_(driveRoot), files_(std::move(driveRoot)) {}

Text SystemPlatform::displayPath(const Text& path) { return stepwise::displayPath(path, driveRoot_); }

std::size_t SystemPlatform::fileNameLength(const Text& fileName) { return stepwise::fileNameLength(fileName); }

std::filesystem::path SystemPlatform::homeDirectoryRoot() { return homeDirectory(); }

double SystemPlatform::secondsSinceMidnight() {
    const LocalTime t = now();
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const double fraction = std::chrono::duration<double>(sinceEpoch - std::chrono::floor<std::chrono::seconds>(sinceEpoch)).count();
    return t.hour * 3600.0 + t.minute * 60.0 + t.second + fraction;
}

}  // namespace stepwise

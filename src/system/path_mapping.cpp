#include "system/path_mapping.h"

#include <cstdlib>

#include "system/path_text.h"

namespace stepwise {

namespace {

bool startsWithDriveLetter(const Text& path) {
    if (path.size() < 2 || path[1] != u':') return false;
    const char16_t d = path[0];
    return (d >= u'a' && d <= u'z') || (d >= u'A' && d <= u'Z');
}

#ifdef _WIN32
constexpr char16_t separator = u'\\';
bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }
#else
constexpr char16_t separator = u'/';
bool isSeparator(char16_t c) { return c == u'/'; }
#endif

}  // namespace

Text displayPath(const Text& programPath, const std::filesystem::path& driveRoot) {
    const Text mapped = pathText(mapPath(programPath, driveRoot));
    Text shown;
    shown.reserve(mapped.size());
    for (std::size_t i = 0; i < mapped.size(); ++i) {
        if (!isSeparator(mapped[i])) {
            shown += mapped[i];
        } else if (i < 2 || shown.back() != separator) {
            shown += separator;
        }
    }
    return shown;
}

std::size_t fileNameLength(const Text& fileName) {
#ifdef _WIN32
    return fileName.size();
#else
    return toUtf8(fileName).size();
#endif
}

#ifdef _WIN32
// The program's paths are Windows paths and are used as they stand. Only when a root is given (the
// tests give one, so that they never touch the real drive) does a leading drive letter stand for it.
std::filesystem::path mapPath(const Text& programPath, const std::filesystem::path& driveRoot) {
    if (driveRoot.empty() || !startsWithDriveLetter(programPath))
        return std::filesystem::path(std::wstring(programPath.begin(), programPath.end()));
    std::wstring rest(programPath.begin() + 2, programPath.end());
    while (!rest.empty() && (rest.front() == L'\\' || rest.front() == L'/')) rest.erase(0, 1);
    return rest.empty() ? driveRoot : driveRoot / rest;
}

// No root: a drive letter names the real drive.
std::filesystem::path homeDirectory() { return {}; }
#else
std::filesystem::path mapPath(const Text& programPath, const std::filesystem::path& driveRoot) {
    Text rest = programPath;
    std::filesystem::path mapped;
    if (startsWithDriveLetter(rest)) {
        mapped = driveRoot;
        rest = rest.substr(2);
    }
    for (char16_t& c : rest)
        if (c == u'\\') c = u'/';
    const std::string tail = toUtf8(rest);
    if (mapped.empty()) return pathFromUtf8(tail);
    // Appending an absolute tail would replace the root; keep it underneath instead.
    std::string relative = tail;
    while (!relative.empty() && relative.front() == '/') relative.erase(0, 1);
    return relative.empty() ? mapped : mapped / pathFromUtf8(relative);
}

std::filesystem::path homeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    return std::filesystem::current_path();
}
#endif

}  // namespace stepwise

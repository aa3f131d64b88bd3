#include "system/path_text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace stepwise {

std::string utf8Path(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

std::filesystem::path pathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

#ifdef _WIN32
Text pathText(const std::filesystem::path& path) { return Text(path.native().begin(), path.native().end()); }

std::vector<std::string> utf8Arguments(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::wstring wide(argv[i]);
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size, nullptr, nullptr);
        arguments.push_back(std::move(utf8));
    }
    return arguments;
}
#else
Text pathText(const std::filesystem::path& path) { return fromUtf8(path.native()); }
#endif

std::string canonicalPathText(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return utf8Path(error ? path.lexically_normal() : canonical);
}

}  // namespace stepwise

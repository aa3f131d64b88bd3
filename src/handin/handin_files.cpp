// Finding a class's hand-in files on disk and reading each one.
#include <algorithm>
#include <cerrno>
#include <fstream>
#include <system_error>

#include "handin/handin_file.h"

namespace stepwise::handin {

namespace fs = std::filesystem;

namespace {

std::string utf8Path(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

Problem wholeFileProblem(const fs::path& path, std::string message) { return {utf8Path(path), 0, std::move(message)}; }

// A file read no further than its name.
HandinFile unreadableFile(const fs::path& path, std::string message) {
    HandinFile file;
    file.path = utf8Path(path);
    if (auto name = parseHandinName(file.path)) file.name = std::move(*name);
    file.problems.push_back(wholeFileProblem(path, std::move(message)));
    return file;
}

std::string lastErrorText() { return std::error_code(errno, std::generic_category()).message(); }

// The send_*.txt files under a folder, in the order of their paths.
std::vector<fs::path> searchFolder(const fs::path& folder, std::vector<Problem>& problems) {
    std::vector<fs::path> found;
    std::error_code error;
    fs::recursive_directory_iterator entry(folder, fs::directory_options::skip_permission_denied, error);
    for (; !error && entry != fs::recursive_directory_iterator(); entry.increment(error)) {
        std::error_code ignored;
        if (entry->is_regular_file(ignored) && parseHandinName(utf8Path(entry->path().filename())))
            found.push_back(entry->path());
    }
    if (error) problems.push_back(wholeFileProblem(folder, "the folder cannot be searched to the end: " + error.message()));
    std::sort(found.begin(), found.end(),
              [](const fs::path& a, const fs::path& b) { return a.generic_u8string() < b.generic_u8string(); });
    return found;
}

}  // namespace

HandinFile readHandinFile(const fs::path& path) {
    std::error_code error;
    if (fs::is_directory(path, error)) return unreadableFile(path, "this is a folder, not a file");
    std::ifstream in(path, std::ios::binary);
    if (!in) return unreadableFile(path, "the file cannot be read: " + lastErrorText());
    std::string bytes;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    const bool broken = in.bad();
    HandinFile file = parseHandin(bytes, utf8Path(path));
    if (broken)
        file.problems.insert(file.problems.begin(),
                             wholeFileProblem(path, "reading the file stopped after " + std::to_string(bytes.size()) +
                                                        " bytes: " + lastErrorText()));
    return file;
}

std::vector<fs::path> findHandinFiles(const std::vector<fs::path>& paths, std::vector<Problem>& problems) {
    std::vector<fs::path> files;
    for (const fs::path& path : paths) {
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (fs::is_regular_file(status)) {
            files.push_back(path);
        } else if (fs::is_directory(status)) {
            std::vector<fs::path> found = searchFolder(path, problems);
            files.insert(files.end(), found.begin(), found.end());
        } else if (fs::exists(status)) {
            problems.push_back(wholeFileProblem(path, "neither a file nor a folder"));
        } else {
            problems.push_back(wholeFileProblem(path, "no such file or folder"));
        }
    }
    return files;
}

}  // namespace stepwise::handin

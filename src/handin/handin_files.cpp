// Finding a class's hand-in files on disk and reading each one.
#include <algorithm>
#include <cerrno>
#include <system_error>

#include "handin/handin_file.h"
#include "system/folder_walk.h"
#include "system/path_text.h"
#include "system/whole_file.h"

namespace stepwise::handin {

namespace fs = std::filesystem;

namespace {

Problem wholeFileProblem(const fs::path& path, std::string message) { return {utf8Path(path), 0, std::move(message)}; }

// A file read no further than its name.
HandinFile unreadableFile(const fs::path& path, std::string message) {
    HandinFile file;
    file.path = utf8Path(path);
    if (auto name = parseHandinName(file.path)) file.name = std::move(*name);
    file.problems.push_back(wholeFileProblem(path, std::move(message)));
    return file;
}

// The send_*.txt files under a folder, in the order of their paths; what cannot be searched is
// reported.
std::vector<fs::path> searchFolder(const fs::path& folder, std::vector<Problem>& problems) {
    FolderWalk walk = walkFolder(folder, [](const fs::path& name) { return parseHandinName(utf8Path(name)).has_value(); });
    for (const SystemError& skipped : walk.skipped) problems.push_back(wholeFileProblem(skipped.path, skipped.reason));
    std::sort(walk.files.begin(), walk.files.end(),
              [](const fs::path& a, const fs::path& b) { return a.generic_u8string() < b.generic_u8string(); });
    return std::move(walk.files);
}

}  // namespace

HandinFile readHandinFile(const fs::path& path) {
    const Result<WholeFile> read = readWholeFile(path, handinSizeLimit);
    if (read.failure && !read.value.brokeOff) {
        if (read.failure->code == EISDIR) return unreadableFile(path, "this is a folder, not a file");
        if (read.failure->code == EFBIG)
            return unreadableFile(path, "the file is larger than " + std::to_string(handinSizeLimit >> 20) +
                                            " MB, which no hand-in is; not read");
        return unreadableFile(path, "the file cannot be read: " + read.failure->reason);
    }
    const std::string& bytes = read.value.bytes;
    HandinFile file = parseHandin(bytes, utf8Path(path));
    if (read.failure)
        file.problems.insert(file.problems.begin(),
                             wholeFileProblem(path, "reading the file stopped after " + std::to_string(bytes.size()) +
                                                        " bytes: " + read.failure->reason));
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

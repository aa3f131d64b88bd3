// Finding a class's hand-in files on disk and reading each one.
#include <algorithm>
#include <cerrno>
#include <system_error>

#include "handin/handin_file.h"
#include "format/file_names.h"
#include "handin/handin_source.h"
#include "handin/known_assignments.h"
#include "system/folder_walk.h"
#include "system/path_text.h"
#include "system/whole_file.h"

namespace stepwise::handin {

namespace fs = std::filesystem;

namespace {

Problem problemOf(const HandinSource& source, std::string message) { return {source.shown(), 0, std::move(message)}; }

bool startsWith(std::string_view name, TextView prefix) {
    return name.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), name.begin(), [](char16_t c, char byte) { return c == byte; });
}

// The student program's other two files, which a student's folder holds beside the SEND file:
// they begin as it does, and are not handed in.
bool isStudentsOwnFile(std::string_view name) { return startsWith(name, masterFilePrefix) || startsWith(name, notesFilePrefix); }

bool isZipName(std::string_view name) { return endsWithIgnoringAsciiCase(name, u".zip"); }
bool isTextName(std::string_view name) { return endsWithIgnoringAsciiCase(name, outputFileSuffix); }

// How far archives inside archives are opened: a zip in the download, and a zip inside that one.
constexpr int archiveDepthLimit = 1;

// Gathers what a class's PATHs hold: the hand-ins, and the problems met on the way.
class HandinSearch {
public:
    explicit HandinSearch(std::vector<Problem>& problems) : problems_(problems) {}

    void addPath(const fs::path& path) {
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (fs::is_regular_file(status)) {
            const HandinSource source(path);
            if (isZipName(source.fileName()) && !parseHandinName(source.fileName())) addDiskArchive(source);
            else found_.push_back(source);  // a file given is read, whatever its name
        } else if (fs::is_directory(status)) {
            searchFolder(path);
        } else if (fs::exists(status)) {
            problems_.push_back({utf8Path(path), 0, "neither a file nor a folder"});
        } else {
            problems_.push_back({utf8Path(path), 0, "no such file or folder"});
        }
    }

    std::vector<HandinSource> take() { return std::move(found_); }

private:
    // The hand-ins, archives and other text files under a folder, in the order of their paths.
    void searchFolder(const fs::path& folder) {
        FolderWalk walk = walkFolder(folder, [](const fs::path& name) {
            const std::string text = utf8Path(name);
            return isTextName(text) || isZipName(text);
        });
        for (const SystemError& skipped : walk.skipped) problems_.push_back({utf8Path(skipped.path), 0, skipped.reason});
        std::vector<std::pair<std::u8string, FoundFile>> byPath;
        for (FoundFile& file : walk.files) byPath.emplace_back(file.path.generic_u8string(), std::move(file));
        std::sort(byPath.begin(), byPath.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        walk.files.clear();
        for (auto& [key, file] : byPath) walk.files.push_back(std::move(file));
        // Below a folder the walk went down, only links need resolving: the rest of a file's
        // canonical path is the folder's and the names that led to it.
        std::error_code error;
        const fs::path canonicalFolder = fs::weakly_canonical(folder, error);
        for (const FoundFile& file : walk.files) {
            if (file.link || error) addFound(HandinSource(file.path), 0);
            else addFound(HandinSource(file.path, utf8Path(canonicalFolder / file.path.lexically_relative(folder))), 0);
        }
    }

    void addFound(const HandinSource& source, int depth) {
        const std::string name = source.fileName();
        if (parseHandinName(name)) found_.push_back(source);
        else if (isZipName(name)) addArchive(source, depth);
        else reportIfAHandin(source);
    }

    void addArchive(const HandinSource& source, int depth) {
        if (!source.inArchive()) return addDiskArchive(source);
        if (depth >= archiveDepthLimit) {
            problems_.push_back(problemOf(source, "a zip archive inside a zip inside a zip; not opened"));
            return;
        }
        // Checked whole first, so that its problem is the entry's own.
        if (HandinSource::Bytes bytes = source.read(); !bytes.failure.empty())
            return problems_.push_back({source.shown(), 0, bytes.failure});
        opened(source, zip::Archive::fromSource(source.entryBytes(inflated_)), depth + 1);
    }

    void addDiskArchive(const HandinSource& source) { opened(source, zip::Archive::open(source.diskFile()), 0); }

    void opened(const HandinSource& source, zip::Result<zip::Archive> archive, int depth) {
        if (!archive) {
            problems_.push_back(problemOf(source, "cannot be read as a zip archive: " + archive.problem()));
            return;
        }
        const auto shared = std::make_shared<const zip::Archive>(std::move(archive.value()));
        std::vector<std::size_t> order;
        for (std::size_t i = 0; i < shared->entries().size(); ++i)
            if (!shared->entries()[i].name.ends_with('/')) order.push_back(i);
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return shared->entries()[a].name < shared->entries()[b].name;
        });
        for (std::size_t index : order) addFound(HandinSource(shared, index, source), depth);
    }

    // A text file whose name does not say whose it is is not read as a hand-in; one that begins
    // as a hand-in does is listed, so that no student's work is passed over without a word.
    void reportIfAHandin(const HandinSource& source) {
        if (!isTextName(source.fileName()) || isStudentsOwnFile(source.fileName())) return;
        const HandinSource::Bytes bytes = source.read();
        if (!bytes.failure.empty()) return;
        const HandinFile file = parseHandin(bytes.bytes, source.shown());
        if (!file.sessions.empty() && file.sessions.front().hasHeader)
            problems_.push_back(problemOf(source, "begins with a lesson header, but its name does not say whose it "
                                                  "is (send_MMDD<name>.txt); not read"));
    }

    std::vector<Problem>& problems_;
    std::vector<HandinSource> found_;
    // The zip inside a zip that is inflated, shared by all such: one at a time in memory.
    std::shared_ptr<zip::InflatedEntry> inflated_ = std::make_shared<zip::InflatedEntry>();
};

}  // namespace

HandinFile readHandinFile(const HandinSource& source) {
    return readHandinFile(source, KnownAssignments::builtinOnly());
}

HandinFile readHandinFile(const HandinSource& source, const KnownAssignments& known) {
    HandinSource::Bytes read = source.read();
    if (!read.failure.empty() && !read.partial) {
        HandinFile file;
        file.path = source.shown();
        if (auto name = parseHandinName(source.fileName())) file.name = std::move(*name);
        file.problems.push_back(problemOf(source, std::move(read.failure)));
        return file;
    }
    HandinFile file = parseHandin(read.bytes, source.shown(), known);
    if (auto name = parseHandinName(source.fileName())) file.name = std::move(*name);
    if (read.partial) file.problems.insert(file.problems.begin(), problemOf(source, std::move(read.failure)));
    return file;
}

std::vector<HandinSource> findHandinFiles(const std::vector<fs::path>& paths, std::vector<Problem>& problems) {
    HandinSearch search(problems);
    for (const fs::path& path : paths) search.addPath(path);
    return search.take();
}

}  // namespace stepwise::handin

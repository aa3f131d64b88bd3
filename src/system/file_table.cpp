#include "system/file_table.h"

#include <cerrno>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "format/cp1252.h"
#include "system/file_error.h"
#include "system/group_commit.h"
#include "system/path_mapping.h"

namespace stepwise {

namespace {

FileError errorFor(const Text& path, const std::error_code& error) {
    return FileError{path, fromUtf8(error.message()), error == std::errc::no_such_file_or_directory, {}};
}

// A file that cannot be made although its folder is there: the file name is at fault (too long,
// characters the file system refuses; Windows reports a refused name as a missing file), not the
// folder.
bool nameRefused(const std::filesystem::path& path, int error) {
    if (error != ENAMETOOLONG && error != EILSEQ && error != EINVAL && error != ENOENT) return false;
    std::error_code ignored;
    return std::filesystem::is_directory(path.parent_path(), ignored);
}

// Reads the whole file in one read of the size it has, then whatever follows: a file may grow
// while it is read, and some files report no size.
bool readWhole(std::ifstream& in, const std::filesystem::path& path, std::string& bytes) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    bytes.resize(error ? 0 : static_cast<std::size_t>(size));
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return false;
    if (!in.eof()) {
        std::ostringstream rest;
        rest << in.rdbuf();
        bytes += std::move(rest).str();
    }
    return true;
}

// Only a regular file is opened for reading: opening a named pipe waits for a writer that may
// never come, and a device may never end. A path that does not exist is left to the opening.
FileStatus refuseAllButRegularFile(const Text& path, const std::filesystem::path& mapped) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(mapped, error);
    if (status.type() == std::filesystem::file_type::directory) return fileErrorFor(path, EISDIR);
    if (!std::filesystem::exists(status) || std::filesystem::is_regular_file(status)) return std::nullopt;
    return FileError{path, u"it is not a regular file", false, {}};
}

}  // namespace

FileTable::FileTable(std::filesystem::path driveRoot) : driveRoot_(std::move(driveRoot)) {}

FileTable::~FileTable() { abandonAll(); }

FileStatus FileTable::createDirectory(const Text& path) {
    std::error_code error;
    if (std::filesystem::create_directory(mapPath(path, driveRoot_), error)) return std::nullopt;
    if (!error) error = std::make_error_code(std::errc::file_exists);
    return errorFor(path, error);
}

FileStatus FileTable::open(int number, const Text& path, FileMode mode) {
    if (isOpen(number)) close({number});
    OpenFile entry{path, mapPath(path, driveRoot_), mode, {}, {}, 0};
    if (mode == FileMode::Append) {
        if (const int error = entry.appender.open(entry.mapped)) {
            FileError failure = fileErrorFor(path, error);
            failure.badName = nameRefused(entry.mapped, error);
            return failure;
        }
    } else {
        if (FileStatus notAFile = refuseAllButRegularFile(path, entry.mapped)) return notAFile;
        std::ifstream in(entry.mapped, std::ios::binary);
        if (!in) return fileErrorFor(path, errno ? errno : ENOENT);
        if (!readWhole(in, entry.mapped, entry.bytes)) return fileErrorFor(path, EIO);
    }
    files_.emplace(number, std::move(entry));
    return std::nullopt;
}

FileTable::OpenFile& FileTable::file(int number, FileMode mode) {
    auto it = files_.find(number);
    if (it == files_.end() || it->second.mode != mode)
        throw std::logic_error("file number " + std::to_string(number) + " is not open for this use");
    return it->second;
}

const FileTable::OpenFile& FileTable::file(int number, FileMode mode) const {
    return const_cast<FileTable*>(this)->file(number, mode);
}

void FileTable::write(int number, const Text& text) { appendCp1252(file(number, FileMode::Append).bytes, text); }

std::size_t FileTable::length(int number) const { return file(number, FileMode::Read).bytes.size(); }

bool FileTable::atEnd(int number) const {
    const OpenFile& f = file(number, FileMode::Read);
    return f.readPosition >= f.bytes.size();
}

Text FileTable::readLine(int number) {
    OpenFile& f = file(number, FileMode::Read);
    const std::size_t start = f.readPosition;
    const std::size_t end = std::min(f.bytes.find('\r', start), f.bytes.size());
    f.readPosition = end;
    if (end < f.bytes.size()) {
        ++f.readPosition;
        if (f.readPosition < f.bytes.size() && f.bytes[f.readPosition] == '\n') ++f.readPosition;
    }
    return decodeCp1252(std::string_view(f.bytes).substr(start, end - start));
}

FileStatus FileTable::close(std::initializer_list<int> numbers) {
    std::vector<GroupMember> group;
    bool anythingToWrite = false;
    for (int number : numbers) {
        auto it = files_.find(number);
        if (it == files_.end() || it->second.mode != FileMode::Append) continue;
        OpenFile& f = it->second;
        group.push_back({f.path, f.mapped, f.appender, f.bytes});
        anythingToWrite = anythingToWrite || !f.bytes.empty();
    }
    const FileStatus failure = anythingToWrite ? commitGroup(group) : std::nullopt;
    for (int number : numbers) files_.erase(number);
    return failure;
}

void FileTable::abandonAll() {
    files_.clear();
}

}  // namespace stepwise

#include "system/file_table.h"

#include <cerrno>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "format/cp1252.h"
#include "system/file_error.h"
#include "system/group_commit.h"
#include "system/path_mapping.h"
#include "system/whole_file.h"

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

// The failure of reading a file for the program: a file that is not a regular one is named so,
// and reading that broke off part of the way is an input/output error.
FileError readFailure(const Text& path, const Result<WholeFile>& read) {
    if (read.value.brokeOff) return fileErrorFor(path, EIO);
    if (!read.failure->code) return FileError{path, fromUtf8(read.failure->reason), false, {}};
    return fileErrorFor(path, read.failure->code);
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
        Result<WholeFile> read = readWholeFile(entry.mapped, anySize);
        if (read.failure) return readFailure(path, read);
        entry.bytes = std::move(read.value.bytes);
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

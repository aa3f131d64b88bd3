#pragma once
// Sequential text files by number. Appended text is kept in memory until the files are closed; the
// files closed together are then written as one group (see group_commit.h), so a record reaches
// every file of the group whole or none of them, even when the program is killed in the middle of
// it or a second copy of the program writes to the same files.
#include <filesystem>
#include <initializer_list>
#include <map>
#include <string>

#include "system/file_status.h"
#include "system/append_file.h"
#include "format/text.h"

namespace stepwise {

class FileTable {
public:
    explicit FileTable(std::filesystem::path driveRoot);
    ~FileTable();
    FileTable(const FileTable&) = delete;
    FileTable& operator=(const FileTable&) = delete;

    FileStatus createDirectory(const Text& path);
    FileStatus open(int number, const Text& path, FileMode mode);
    void write(int number, const Text& text);
    bool atEnd(int number) const;
    std::size_t length(int number) const;
    Text readLine(int number);
    FileStatus close(std::initializer_list<int> numbers);
    void abandonAll();
    bool isOpen(int number) const { return files_.count(number) != 0; }

private:
    struct OpenFile {
        Text path;
        std::filesystem::path mapped;
        FileMode mode;
        AppendFile appender;          // append mode only
        std::string bytes;            // pending output, or the whole content when reading
        std::size_t readPosition = 0;
    };

    OpenFile& file(int number, FileMode mode);
    const OpenFile& file(int number, FileMode mode) const;

    std::filesystem::path driveRoot_;
    std::map<int, OpenFile> files_;
};

}  // namespace stepwise

#pragma once
// Sequential text files by number. Appended text is kept in memory until the file is closed and then
// written in one piece and flushed to stable storage, so a record reaches each file whole or not at
// all, even when the program is killed in the middle of it.
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <string>

#include "platform/file_status.h"
#include "platform/text.h"

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
        std::FILE* handle = nullptr;  // append mode only
        std::string bytes;            // pending output, or the whole content when reading
        std::size_t readPosition = 0;
    };

    OpenFile& file(int number, FileMode mode);
    const OpenFile& file(int number, FileMode mode) const;
    static FileStatus commit(OpenFile& file, long long& sizeBefore);
    static void release(OpenFile& file);

    std::filesystem::path driveRoot_;
    std::map<int, OpenFile> files_;
};

}  // namespace stepwise

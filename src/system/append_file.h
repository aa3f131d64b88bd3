#pragma once
// A file open for appending through the operating system's own calls, unbuffered, with the few
// operations a crash-proof commit needs: its size, flushing to stable storage, cutting it back to
// an earlier size, and an advisory lock that other copies of the program wait for. Every
// operation returns 0 or an errno value.
#include <filesystem>
#include <string_view>

namespace stepwise {

class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile() { close(); }
    AppendFile(AppendFile&& other) noexcept : handle_(other.handle_), locked_(other.locked_) {
        other.handle_ = -1;
        other.locked_ = false;
    }
    AppendFile& operator=(AppendFile&& other) noexcept;
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Opens the file for appending, creating it when it is missing.
    int open(const std::filesystem::path& path);
    bool isOpen() const { return handle_ >= 0; }
    void close();

    // Writes every byte at the end of the file; `written` counts the bytes that reached it.
    int append(std::string_view bytes, std::size_t& written);
    int size(long long& bytes) const;
    int syncToDisk();
    int cutBack(long long size);

    // Waits until no other process holds the lock of this file, then holds it until unlock() or
    // close(). The lock keeps no one from reading or writing the file's bytes.
    int lock();
    void unlock();

private:
    int handle_ = -1;  // a C runtime file descriptor
    bool locked_ = false;
};

// Creates or replaces the file with the bytes and flushes it to stable storage.
int writeDurably(const std::filesystem::path& path, std::string_view bytes);

// Makes the creation and removal of files in the folder survive a power cut (nothing to do where
// the file system does this itself).
int syncFolder(const std::filesystem::path& folder);

}  // namespace stepwise

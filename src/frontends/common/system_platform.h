#pragma once
// The portable half of the platform: files by number, clock and random numbers, shared by every
// front end. Front ends derive from it and add the window.
#include <filesystem>

#include "platform/platform.h"
#include "system/file_table.h"
#include "system/local_time.h"
#include "system/random_source.h"

namespace stepwise {

class SystemPlatform : public Platform {
public:
    // driveRoot: the directory a leading drive letter stands for (ignored on Windows).
    explicit SystemPlatform(std::filesystem::path driveRoot = homeDirectoryRoot());

    Text displayPath(const Text& path) override;
    std::size_t fileNameLength(const Text& fileName) override;

    FileStatus createDirectory(const Text& path) override { return files_.createDirectory(path); }
    FileStatus openFile(int number, const Text& path, FileMode mode) override { return files_.open(number, path, mode); }
    void writeText(int number, const Text& text) override { files_.write(number, text); }
    bool atEnd(int number) override { return files_.atEnd(number); }
    std::size_t fileLength(int number) override { return files_.length(number); }
    Text readLine(int number) override { return files_.readLine(number); }
    FileStatus closeFiles(std::initializer_list<int> numbers) override { return files_.close(numbers); }
    void abandonAllFiles() override { files_.abandonAll(); }

    Text timeText() override { return formatTime(now()); }
    Text dateText() override { return formatDate(now()); }
    double secondsSinceMidnight() override;

    void seedRandom(double seed) override { random_.seed(seed); }
    float nextRandom() override { return random_.next(); }

    bool isFileOpen(int number) const { return files_.isOpen(number); }

protected:
    virtual LocalTime now() { return currentLocalTime(); }

private:
    static std::filesystem::path homeDirectoryRoot();

    std::filesystem::path driveRoot_;
    FileTable files_;
    RandomSource random_;
};

}  // namespace stepwise

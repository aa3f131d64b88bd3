#pragma once
// The rollback journal of a record group. Before the first byte of a record is appended, the size
// of every file of the group is written to the journal and flushed to disk; once every file holds
// the record and is flushed, the journal is removed. A journal found later belongs to a record that
// was cut off (the program was killed, the power failed): rolling it back cuts each file to its
// size, so that no file keeps any part of that record.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stepwise {

struct JournalEntry {
    std::filesystem::path file;
    long long size = 0;  // the file's size before the record
};

std::string formatJournal(const std::vector<JournalEntry>& entries);

// The entries of a whole journal; nothing for bytes that are not one, such as a journal cut off
// while it was written (no byte of its record had been appended then).
std::optional<std::vector<JournalEntry>> parseJournal(std::string_view bytes);

struct RollbackFailure {
    std::filesystem::path file;  // the file that could not be cut back, or the journal itself
    int error = 0;               // errno value
};

class RollbackJournal {
public:
    explicit RollbackJournal(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& path() const { return path_; }

    // Rolls back a journal left behind by a record that was cut off, then removes it.
    std::optional<RollbackFailure> recover() const;
    // Writes the sizes and flushes them to disk; 0 or an errno value.
    int write(const std::vector<JournalEntry>& entries) const;
    // Removes the journal for good; 0 or an errno value.
    int remove() const;

private:
    std::filesystem::path path_;
};

// Cuts the file back to `size` when it has grown past it, and flushes it; 0 or an errno value. A
// file that no longer exists has nothing to take back.
int cutBackFile(const std::filesystem::path& file, long long size);

}  // namespace stepwise

#include "system/rollback_journal.h"

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <system_error>

#include "system/append_file.h"
#include "system/path_text.h"
#include "system/whole_file.h"

namespace stepwise {

namespace {

constexpr std::string_view headerLine = "stepwise rollback journal 1\n";
constexpr std::string_view lastLineStart = "end ";

// FNV-1a: tells a whole journal from one whose tail never reached the disk.
std::uint64_t checksum(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

// Reads an unsigned decimal number and the one character after it; false when there is none.
template <typename Number>
bool readNumber(std::string_view& bytes, Number& number, char after) {
    const auto [end, error] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), number);
    if (error != std::errc() || end == bytes.data() + bytes.size() || *end != after) return false;
    bytes.remove_prefix(static_cast<std::size_t>(end - bytes.data()) + 1);
    return true;
}

}  // namespace

// One line per file: its size, the length of its path in bytes, and the path in UTF-8.
std::string formatJournal(const std::vector<JournalEntry>& entries) {
    std::string body(headerLine);
    for (const JournalEntry& entry : entries) {
        const std::string path = utf8Path(entry.file);
        body += std::to_string(entry.size) + ' ' + std::to_string(path.size()) + ' ' + path;
        body += '\n';
    }
    return body + std::string(lastLineStart) + std::to_string(checksum(body)) + '\n';
}

std::optional<std::vector<JournalEntry>> parseJournal(std::string_view bytes) {
    const std::size_t last = bytes.rfind(lastLineStart);
    if (last == std::string_view::npos || bytes.substr(0, headerLine.size()) != headerLine) return std::nullopt;
    std::string_view tail = bytes.substr(last + lastLineStart.size());
    std::uint64_t sum = 0;
    if (!readNumber(tail, sum, '\n') || !tail.empty() || sum != checksum(bytes.substr(0, last))) return std::nullopt;

    std::vector<JournalEntry> entries;
    std::string_view lines = bytes.substr(headerLine.size(), last - headerLine.size());
    while (!lines.empty()) {
        long long size = 0;
        std::size_t length = 0;
        if (!readNumber(lines, size, ' ') || !readNumber(lines, length, ' ') || lines.size() <= length ||
            lines[length] != '\n')
            return std::nullopt;
        entries.push_back({pathFromUtf8(lines.substr(0, length)), size});
        lines.remove_prefix(length + 1);
    }
    return entries;
}

int cutBackFile(const std::filesystem::path& file, long long size) {
    std::error_code missing;
    if (!std::filesystem::exists(file, missing)) return 0;
    AppendFile handle;
    long long current = 0;
    int error = handle.open(file);
    if (!error) error = handle.size(current);
    if (!error && current > size) {
        error = handle.cutBack(size);
        if (!error) error = handle.syncToDisk();
    }
    return error;
}

std::optional<RollbackFailure> RollbackJournal::recover() const {
    std::error_code missing;
    if (!std::filesystem::exists(path_, missing)) return std::nullopt;
    // Read whole and closed before it is removed. A journal whose reading broke off is taken as far
    // as it was read, which is never a whole journal.
    const Result<WholeFile> journal = readWholeFile(path_, anySize);
    if (journal.failure && !journal.value.brokeOff)
        return RollbackFailure{path_, journal.failure->code ? journal.failure->code : EACCES};
    if (const auto entries = parseJournal(journal.value.bytes))
        for (const JournalEntry& entry : *entries)
            if (const int error = cutBackFile(entry.file, entry.size)) return RollbackFailure{entry.file, error};
    if (const int error = remove()) return RollbackFailure{path_, error};
    return std::nullopt;
}

int RollbackJournal::write(const std::vector<JournalEntry>& entries) const {
    if (const int error = writeDurably(path_, formatJournal(entries))) return error;
    return syncFolder(path_.parent_path());
}

int RollbackJournal::remove() const {
    std::error_code error;
    std::filesystem::remove(path_, error);
    if (error) return error.default_error_condition().value() ? error.default_error_condition().value() : EIO;
    return syncFolder(path_.parent_path());
}

}  // namespace stepwise

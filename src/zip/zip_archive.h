#pragma once
// Zip archives read from memory or from a file: the central directory listed on opening, each
// entry inflated only when asked for. A file is never read whole: opening reads its end and its
// central directory, and reading an entry reads that entry's local header and data.
//
// Failures are values, never exceptions: a Result holds either its value or a problem in words for
// the instructor. What is wrong with the archive as a whole (no central directory, a damaged one,
// too many entries, entries outside the archive or on top of each other) stops the opening; what
// is wrong with one entry (its method, encryption, size, compression ratio, CRC, damage) stops
// reading that entry only and names it, and every other entry is still read.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace stepwise::zip {

// Limits against archives made to exhaust the reader (zip bombs).
inline constexpr std::uint64_t maxEntrySize = 64ull * 1024 * 1024;  // uncompressed bytes of one entry
inline constexpr std::uint64_t maxRatio = 200;                       // uncompressed / compressed bytes
inline constexpr std::uint64_t ratioFloor = 1024 * 1024;             // entries up to this size may
                                                                     // compress better than maxRatio
inline constexpr std::size_t maxEntries = 100'000;

// A value, or the reason there is none (UTF-8).
template <typename T>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}
    static Result failure(std::string problem) {
        Result result;
        result.problem_ = std::move(problem);
        return result;
    }
    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    T& value() { return *value_; }
    const T& value() const { return *value_; }
    // "" when there is a value.
    const std::string& problem() const { return problem_; }

private:
    Result() = default;
    std::optional<T> value_;
    std::string problem_;
};

// One entry of the central directory, with the sizes and offset of its ZIP64 field where it has one.
struct Entry {
    std::string name;                  // UTF-8 (see entryName in entry_name.h)
    std::string rawName;               // the name's bytes as the archive holds them
    std::uint16_t flags = 0;           // general-purpose flags: 1 encrypted, 8 data descriptor,
                                       // 0x800 UTF-8 name
    std::uint16_t method = 0;          // 0 stored, 8 deflated; others cannot be read
    std::uint32_t crc32 = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t uncompressedSize = 0;
    std::uint64_t localHeaderOffset = 0;
};

// The bytes of an archive, read where asked.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // False when the bytes cannot all be read.
    virtual bool read(std::uint64_t offset, char* out, std::size_t count) const = 0;
};

class Archive {
public:
    // Problems name neither the file nor the bytes' origin; the caller adds them.
    static Result<Archive> open(const std::filesystem::path& file);
    // From bytes in memory, e.g. an entry of another archive that is itself a zip.
    static Result<Archive> fromBytes(std::string bytes);
    static Result<Archive> fromSource(std::shared_ptr<const ByteSource> source);

    const std::vector<Entry>& entries() const { return entries_; }

    // The uncompressed bytes of entries()[index], checked against its CRC and sizes; the problem
    // starts with the entry's name. Each call inflates the entry again.
    Result<std::string> read(std::size_t index) const;

private:
    Archive() = default;
    std::shared_ptr<const ByteSource> source_;
    std::vector<Entry> entries_;
    std::vector<std::uint64_t> dataLimits_;  // per entry: where the next entry or the central
                                             // directory starts, which its data must not pass
};

}  // namespace stepwise::zip

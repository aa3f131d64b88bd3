// Reading zip archives: the end record (ZIP64 or not), the central directory, and on request one
// entry's local header and data, stored or inflated by zlib.
#include "zip/zip_archive.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <mutex>

#include "zip/entry_name.h"
#include "zip/zip_bytes.h"

namespace stepwise::zip {

namespace {

constexpr std::uint32_t localSignature = 0x04034b50;
constexpr std::uint32_t centralSignature = 0x02014b50;
constexpr std::uint32_t endSignature = 0x06054b50;
constexpr std::uint32_t zip64EndSignature = 0x06064b50;
constexpr std::uint32_t zip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t descriptorSignature = 0x08074b50;
constexpr std::size_t localHeaderSize = 30;
constexpr std::size_t centralHeaderSize = 46;
constexpr std::size_t endSize = 22;
constexpr std::size_t zip64EndSize = 56;
constexpr std::size_t zip64LocatorSize = 20;
constexpr std::size_t maxCommentSize = 0xFFFF;
constexpr std::uint16_t zip64Field = 0x0001;
constexpr std::uint16_t storedMethod = 0;
constexpr std::uint16_t deflatedMethod = 8;
constexpr std::uint16_t encryptedFlag = 0x1;
constexpr std::uint16_t descriptorFlag = 0x8;
constexpr std::size_t chunkSize = 64 * 1024;

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool read(std::uint64_t offset, char* out, std::size_t count) const override {
        if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
        std::memcpy(out, bytes_.data() + offset, count);
        return true;
    }

private:
    std::string bytes_;
};

// The file stays open while the archive is in use; reads from several threads take turns.
class FileSource : public ByteSource {
public:
    explicit FileSource(const std::filesystem::path& path) : stream_(path, std::ios::binary) {
        if (stream_.seekg(0, std::ios::end)) size_ = static_cast<std::uint64_t>(stream_.tellg());
    }
    bool isOpen() const { return stream_.is_open() && stream_.good(); }
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, char* out, std::size_t count) const override {
        std::lock_guard lock(mutex_);
        if (offset > size_ || count > size_ - offset) return false;
        stream_.clear();
        stream_.seekg(static_cast<std::streamoff>(offset));
        stream_.read(out, static_cast<std::streamsize>(count));
        return stream_.gcount() == static_cast<std::streamsize>(count);
    }

private:
    mutable std::mutex mutex_;
    mutable std::ifstream stream_;
    std::uint64_t size_ = 0;
};

std::optional<std::string> readBytes(const ByteSource& source, std::uint64_t offset, std::uint64_t count) {
    std::string bytes(count, '\0');
    if (!source.read(offset, bytes.data(), bytes.size())) return std::nullopt;
    return bytes;
}

template <typename T>
Result<T> failure(std::string problem) { return Result<T>::failure(std::move(problem)); }

// Where the central directory is and how many entries it holds, from the end record.
struct Directory {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint64_t entries = 0;
};

// The end record is the last one whose comment reaches exactly to the end of the archive; a ZIP64
// locator right before it leads to the ZIP64 end record, whose numbers then count.
Result<Directory> findDirectory(const ByteSource& source) {
    const std::uint64_t size = source.size();
    const std::uint64_t tailSize = std::min<std::uint64_t>(size, endSize + maxCommentSize);
    const auto tail = readBytes(source, size - tailSize, tailSize);
    if (!tail) return failure<Directory>("cannot be read");
    std::optional<std::uint64_t> found;
    for (std::uint64_t at = tailSize >= endSize ? tailSize - endSize + 1 : 0; at-- > 0;) {
        if (read32(*tail, at) == endSignature && at + endSize + read16(*tail, at + 20) == tailSize) {
            found = at;
            break;
        }
    }
    if (!found) return failure<Directory>("not a zip archive, or cut short: it has no end of central directory record");
    const std::string_view end = std::string_view(*tail).substr(*found, endSize);
    const std::uint64_t endAt = size - tailSize + *found;
    std::uint64_t disk = read16(end, 4), directoryDisk = read16(end, 6), onThisDisk = read16(end, 8);
    Directory directory{read32(end, 16), read32(end, 12), read16(end, 10)};
    std::uint64_t directoryEnd = endAt;  // the central directory ends before the end records

    const auto locator =
        endAt >= zip64LocatorSize ? readBytes(source, endAt - zip64LocatorSize, zip64LocatorSize) : std::nullopt;
    if (locator && read32(*locator, 0) == zip64LocatorSignature) {
        const std::uint64_t zip64EndAt = read64(*locator, 8);
        if (read32(*locator, 4) != 0 || read32(*locator, 16) > 1)
            return failure<Directory>("split into several files; only a whole archive can be read");
        const bool before = endAt - zip64LocatorSize >= zip64EndSize &&
                            zip64EndAt <= endAt - zip64LocatorSize - zip64EndSize;
        const auto zip64End = before ? readBytes(source, zip64EndAt, zip64EndSize) : std::nullopt;
        if (!zip64End || read32(*zip64End, 0) != zip64EndSignature)
            return failure<Directory>("damaged: its ZIP64 end of central directory record is missing");
        disk = read32(*zip64End, 16);
        directoryDisk = read32(*zip64End, 20);
        onThisDisk = read64(*zip64End, 24);
        directory = {read64(*zip64End, 48), read64(*zip64End, 40), read64(*zip64End, 32)};
        directoryEnd = zip64EndAt;
    }
    if (disk != 0 || directoryDisk != 0 || onThisDisk != directory.entries)
        return failure<Directory>("split into several files; only a whole archive can be read");
    if (directory.entries > maxEntries)
        return failure<Directory>("it has " + std::to_string(directory.entries) + " entries; archives of more than " +
                                  std::to_string(maxEntries) + " are not read");
    if (directory.offset > directoryEnd || directory.size > directoryEnd - directory.offset)
        return failure<Directory>("damaged: its central directory lies outside the archive");
    return directory;
}

// The central directory's records, each checked to lie within it, with their ZIP64 sizes and offset.
Result<std::vector<Entry>> readEntries(const ByteSource& source, const Directory& directory) {
    const auto bytes = readBytes(source, directory.offset, directory.size);
    if (!bytes) return failure<std::vector<Entry>>("cannot be read");
    const std::string_view all(*bytes);
    std::vector<Entry> entries;
    entries.reserve(directory.entries);
    std::size_t at = 0;
    for (std::uint64_t i = 0; i < directory.entries; ++i) {
        const auto damaged = [&](const std::string& what) {
            return failure<std::vector<Entry>>("damaged central directory: " + what + " (record " + std::to_string(i + 1) +
                                               " of " + std::to_string(directory.entries) + ")");
        };
        if (all.size() - at < centralHeaderSize || read32(all, at) != centralSignature)
            return damaged("a record is missing");
        const std::string_view header = all.substr(at, centralHeaderSize);
        const std::size_t nameSize = read16(header, 28), extraSize = read16(header, 30), commentSize = read16(header, 32);
        if (all.size() - at - centralHeaderSize < nameSize + extraSize + commentSize)
            return damaged("a record runs past its end");
        Entry entry;
        entry.rawName = all.substr(at + centralHeaderSize, nameSize);
        const std::string_view extra = all.substr(at + centralHeaderSize + nameSize, extraSize);
        entry.flags = read16(header, 8);
        entry.method = read16(header, 10);
        entry.crc32 = read32(header, 16);
        entry.compressedSize = read32(header, 20);
        entry.uncompressedSize = read32(header, 24);
        entry.localHeaderOffset = read32(header, 42);
        entry.name = entryName(entry.rawName, entry.flags, extra);
        // The ZIP64 field holds, in this order, those of the three that do not fit in 32 bits.
        const auto zip64 = findExtraField(extra, zip64Field);
        std::size_t zip64At = 0;
        for (std::uint64_t* value : {&entry.uncompressedSize, &entry.compressedSize, &entry.localHeaderOffset}) {
            if (*value != 0xFFFFFFFF) continue;
            if (!zip64 || zip64->size() < zip64At + 8) return damaged("the ZIP64 sizes of " + entry.name + " are missing");
            *value = read64(*zip64, zip64At);
            zip64At += 8;
        }
        entries.push_back(std::move(entry));
        at += centralHeaderSize + nameSize + extraSize + commentSize;
    }
    if (at != all.size()) return failure<std::vector<Entry>>("damaged central directory: it holds more than its " +
                                                             std::to_string(directory.entries) + " entries");
    return entries;
}

// Where each entry's data must end: at the next entry's local header or at the central directory.
// Entries that share bytes are how some zip bombs multiply their output, and no archiver writes them.
Result<std::vector<std::uint64_t>> dataLimits(const std::vector<Entry>& entries, std::uint64_t directoryOffset) {
    std::vector<std::size_t> order(entries.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return entries[a].localHeaderOffset < entries[b].localHeaderOffset;
    });
    std::vector<std::uint64_t> limits(entries.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        const Entry& entry = entries[order[k]];
        const bool last = k + 1 == order.size();
        const std::uint64_t limit = last ? directoryOffset : entries[order[k + 1]].localHeaderOffset;
        if (limit < entry.localHeaderOffset || limit - entry.localHeaderOffset < localHeaderSize ||
            limit - entry.localHeaderOffset - localHeaderSize < entry.compressedSize) {
            using Limits = std::vector<std::uint64_t>;
            if (last) return failure<Limits>("damaged: the entry " + entry.name + " lies outside the archive's data");
            return failure<Limits>("damaged: the entries " + entry.name + " and " + entries[order[k + 1]].name + " overlap");
        }
        limits[order[k]] = limit;
    }
    return limits;
}

std::string methodName(std::uint16_t method) {
    const char* name = method == 1    ? " (shrunk)"
                       : method == 6  ? " (imploded)"
                       : method == 9  ? " (Deflate64)"
                       : method == 12 ? " (bzip2)"
                       : method == 14 ? " (LZMA)"
                       : method == 93 ? " (Zstandard)"
                       : method == 95 ? " (xz)"
                       : method == 98 ? " (PPMd)"
                       : method == 99 ? " (AES encrypted)"
                                      : "";
    return "method " + std::to_string(method) + name;
}

Result<std::string> readStored(const ByteSource& source, std::uint64_t at, const Entry& entry) {
    if (entry.compressedSize != entry.uncompressedSize)
        return failure<std::string>("damaged: stored, yet its sizes differ (" + std::to_string(entry.compressedSize) +
                                    " and " + std::to_string(entry.uncompressedSize) + " bytes)");
    auto data = readBytes(source, at, entry.compressedSize);
    if (!data) return failure<std::string>("truncated: its data cannot be read");
    return std::move(*data);
}

// Inflates no further than one byte past the declared size. That size has passed the size and
// ratio limits, so stopping there keeps both limits while inflating, whatever the size declared.
Result<std::string> inflateEntry(const ByteSource& source, std::uint64_t at, const Entry& entry) {
    if (entry.compressedSize == 0 && entry.uncompressedSize == 0) return std::string();
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return failure<std::string>("cannot be inflated: zlib has no memory");
    std::string out(entry.uncompressedSize + 1, '\0');
    std::string in(std::min<std::uint64_t>(chunkSize, entry.compressedSize), '\0');
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    std::uint64_t unread = entry.compressedSize;
    std::string problem;
    int status = Z_OK;
    while (status != Z_STREAM_END) {
        if (stream.avail_in == 0) {
            if (unread == 0) {
                problem = "truncated or damaged: its compressed data end before the deflate stream does";
                break;
            }
            const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(unread, in.size()));
            if (!source.read(at + entry.compressedSize - unread, in.data(), count)) {
                problem = "truncated: its data cannot be read";
                break;
            }
            unread -= count;
            stream.next_in = reinterpret_cast<Bytef*>(in.data());
            stream.avail_in = static_cast<uInt>(count);
        }
        status = inflate(&stream, Z_NO_FLUSH);
        if (stream.total_out > entry.uncompressedSize) {
            problem = "inflates to more than the " + std::to_string(entry.uncompressedSize) +
                      " bytes the archive declares (damaged, or a zip bomb)";
            break;
        }
        if (status != Z_OK && status != Z_STREAM_END) {
            problem = std::string("damaged: its compressed data cannot be inflated (") +
                      (stream.msg ? stream.msg : "zlib error") + ")";
            break;
        }
    }
    const std::uint64_t produced = stream.total_out;
    const std::uint64_t left = unread + stream.avail_in;
    inflateEnd(&stream);
    if (!problem.empty()) return failure<std::string>(problem);
    if (left != 0)
        return failure<std::string>("damaged: " + std::to_string(left) +
                                    " bytes of its compressed data follow the deflate stream's end");
    if (produced != entry.uncompressedSize)
        return failure<std::string>("damaged: it inflates to " + std::to_string(produced) + " bytes, not the " +
                                    std::to_string(entry.uncompressedSize) + " the archive declares");
    out.resize(produced);
    return out;
}

std::string hex(std::uint32_t value) {
    char text[11];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

}  // namespace

Result<Archive> Archive::open(const std::filesystem::path& file) {
    auto source = std::make_shared<FileSource>(file);
    if (!source->isOpen()) return failure<Archive>("cannot be opened");
    return fromSource(std::move(source));
}

Result<Archive> Archive::fromBytes(std::string bytes) {
    return fromSource(std::make_shared<MemorySource>(std::move(bytes)));
}

Result<Archive> Archive::fromSource(std::shared_ptr<const ByteSource> source) {
    const auto directory = findDirectory(*source);
    if (!directory) return failure<Archive>(directory.problem());
    auto entries = readEntries(*source, directory.value());
    if (!entries) return failure<Archive>(entries.problem());
    auto limits = dataLimits(entries.value(), directory.value().offset);
    if (!limits) return failure<Archive>(limits.problem());
    Archive archive;
    archive.source_ = std::move(source);
    archive.entries_ = std::move(entries.value());
    archive.dataLimits_ = std::move(limits.value());
    return archive;
}

Result<std::string> Archive::read(std::size_t index) const {
    const Entry& entry = entries_.at(index);
    const auto fail = [&](const std::string& problem) { return failure<std::string>(entry.name + ": " + problem); };
    if (entry.flags & encryptedFlag) return fail("encrypted; it cannot be read");
    if (entry.method != storedMethod && entry.method != deflatedMethod)
        return fail("compressed with " + methodName(entry.method) + "; only stored and deflated entries can be read");
    if (entry.uncompressedSize > maxEntrySize)
        return fail(std::to_string(entry.uncompressedSize) + " bytes uncompressed, over the limit of " +
                    std::to_string(maxEntrySize / (1024 * 1024)) + " MB");
    if (entry.uncompressedSize > ratioFloor && entry.compressedSize * maxRatio < entry.uncompressedSize)
        return fail("compressed more than " + std::to_string(maxRatio) + ":1 (" + std::to_string(entry.uncompressedSize) +
                    " bytes into " + std::to_string(entry.compressedSize) + "), as zip bombs are");

    const auto header = readBytes(*source_, entry.localHeaderOffset, localHeaderSize);
    if (!header || read32(*header, 0) != localSignature) return fail("damaged: its local header is missing");
    const std::uint64_t dataAt = entry.localHeaderOffset + localHeaderSize + read16(*header, 26) + read16(*header, 28);
    const std::uint64_t limit = dataLimits_[index];
    if (dataAt > limit || limit - dataAt < entry.compressedSize) return fail("damaged: its data run into the next entry");

    auto data = entry.method == storedMethod ? readStored(*source_, dataAt, entry) : inflateEntry(*source_, dataAt, entry);
    if (!data) return fail(data.problem());
    const std::string& bytes = data.value();
    const std::uint32_t crc = static_cast<std::uint32_t>(
        ::crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
    if (crc != entry.crc32)
        return fail("CRC mismatch: the data give " + hex(crc) + ", the archive says " + hex(entry.crc32));
    // The data descriptor after the data, with or without its signature, repeats the CRC.
    if (entry.flags & descriptorFlag) {
        const std::uint64_t descriptorAt = dataAt + entry.compressedSize;
        const auto descriptor = readBytes(*source_, descriptorAt, std::min<std::uint64_t>(8, limit - descriptorAt));
        const bool matches =
            descriptor && descriptor->size() >= 4 &&
            (read32(*descriptor, 0) == crc ||
             (descriptor->size() == 8 && read32(*descriptor, 0) == descriptorSignature && read32(*descriptor, 4) == crc));
        if (!matches) return fail("damaged: its data descriptor does not repeat its CRC");
    }
    return data;
}

}  // namespace stepwise::zip

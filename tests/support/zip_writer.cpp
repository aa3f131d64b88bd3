#include "support/zip_writer.h"

#include <zlib.h>

#include <initializer_list>
#include <utility>

namespace stepwise::testing {

namespace {

// Little-endian numbers, each of the given number of bytes.
void put(std::string& out, std::initializer_list<std::pair<std::uint64_t, int>> numbers) {
    for (const auto& [value, bytes] : numbers)
        for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t crcOf(std::string_view bytes) {
    return static_cast<std::uint32_t>(::crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

}  // namespace

std::string deflateRaw(std::string_view bytes) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

std::string unicodePathField(std::string_view rawName, std::string_view utf8Name) {
    std::string field;
    put(field, {{0x7075, 2}, {5 + utf8Name.size(), 2}, {1, 1}, {crcOf(rawName), 4}});
    return field += utf8Name;
}

std::string writeZip(const std::vector<ZipEntry>& entries, bool zip64, std::string_view comment) {
    const std::uint64_t full = 0xFFFFFFFF;  // "see the ZIP64 field"
    const std::uint16_t version = zip64 ? 45 : 20;
    std::string out, central;
    for (const ZipEntry& entry : entries) {
        const std::string data = entry.data ? *entry.data : entry.method == 8 ? deflateRaw(entry.content) : entry.content;
        const std::uint32_t crc = entry.crc ? *entry.crc : crcOf(entry.content);
        const std::uint64_t size = entry.size ? *entry.size : entry.content.size();
        const std::uint64_t offset = out.size();
        // With a data descriptor the local header leaves the CRC and sizes 0.
        const bool later = entry.flags & 8;
        std::string localExtra = entry.extra, centralExtra = entry.extra;
        if (zip64) {
            put(localExtra, {{1, 2}, {16, 2}, {later ? 0 : size, 8}, {later ? 0 : data.size(), 8}});
            put(centralExtra, {{1, 2}, {24, 2}, {size, 8}, {data.size(), 8}, {offset, 8}});
        }
        // Made on Unix at 11:16 on 2025-12-07, a file with permissions rw-r--r--.
        put(out, {{0x04034b50, 4}, {version, 2}, {entry.flags, 2}, {entry.method, 2}, {0x5A00, 2}, {0x5B87, 2},
                  {later ? 0 : crc, 4}, {later ? 0 : zip64 ? full : data.size(), 4}, {later ? 0 : zip64 ? full : size, 4},
                  {entry.name.size(), 2}, {localExtra.size(), 2}});
        out += entry.name + localExtra + data;
        if (later) {
            if (entry.descriptorSignature) put(out, {{0x08074b50, 4}});
            put(out, {{crc, 4}, {data.size(), zip64 ? 8 : 4}, {size, zip64 ? 8 : 4}});
        }
        put(central, {{0x02014b50, 4}, {0x0300u | version, 2}, {version, 2}, {entry.flags, 2}, {entry.method, 2},
                      {0x5A00, 2}, {0x5B87, 2}, {crc, 4}, {zip64 ? full : data.size(), 4}, {zip64 ? full : size, 4},
                      {entry.name.size(), 2}, {centralExtra.size(), 2}, {0, 2}, {0, 2}, {0, 2}, {0100644u << 16, 4},
                      {zip64 ? full : offset, 4}});
        central += entry.name + centralExtra;
    }
    const std::uint64_t centralAt = out.size();
    out += central;
    if (zip64) {
        const std::uint64_t endAt = out.size();
        put(out, {{0x06064b50, 4}, {44, 8}, {45, 2}, {45, 2}, {0, 4}, {0, 4}, {entries.size(), 8}, {entries.size(), 8},
                  {central.size(), 8}, {centralAt, 8}});
        put(out, {{0x07064b50, 4}, {0, 4}, {endAt, 8}, {1, 4}});
    }
    put(out, {{0x06054b50, 4}, {0, 2}, {0, 2}, {zip64 ? 0xFFFF : entries.size(), 2}, {zip64 ? 0xFFFF : entries.size(), 2},
              {zip64 ? full : central.size(), 4}, {zip64 ? full : centralAt, 4}, {comment.size(), 2}});
    return out += comment;
}

}  // namespace stepwise::testing

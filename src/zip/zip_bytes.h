#pragma once
// Little-endian numbers and extra fields, as the zip records hold them.
#include <cstdint>
#include <optional>
#include <string_view>

namespace stepwise::zip {

inline std::uint64_t readLittleEndian(std::string_view bytes, std::size_t at, int count) {
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}
inline std::uint16_t read16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(readLittleEndian(bytes, at, 2));
}
inline std::uint32_t read32(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(readLittleEndian(bytes, at, 4));
}
inline std::uint64_t read64(std::string_view bytes, std::size_t at) { return readLittleEndian(bytes, at, 8); }

// The data of the first extra field with this id; none when there is no such field. A field whose
// declared size runs past the end ends the search.
inline std::optional<std::string_view> findExtraField(std::string_view extra, std::uint16_t id) {
    for (std::size_t at = 0; at + 4 <= extra.size();) {
        const std::size_t size = read16(extra, at + 2);
        if (at + 4 + size > extra.size()) break;
        if (read16(extra, at) == id) return extra.substr(at + 4, size);
        at += 4 + size;
    }
    return std::nullopt;
}

}  // namespace stepwise::zip

// Entry names: the UTF-8 flag, the Unicode Path extra field, UTF-8 by its form, code page 437.
#include "zip/entry_name.h"

#include <zlib.h>

#include "format/text.h"
#include "zip/zip_bytes.h"

namespace stepwise::zip {

namespace {

constexpr std::uint16_t utf8Flag = 0x800;
constexpr std::uint16_t unicodePathField = 0x7075;

// Code page 437 from 0x80 to 0xFF; below 0x80 it is ASCII.
constexpr char16_t cp437High[128] = {
    u'\u00C7', u'\u00FC', u'\u00E9', u'\u00E2', u'\u00E4', u'\u00E0', u'\u00E5', u'\u00E7',  // 0x80
    u'\u00EA', u'\u00EB', u'\u00E8', u'\u00EF', u'\u00EE', u'\u00EC', u'\u00C4', u'\u00C5',  // 0x88
    u'\u00C9', u'\u00E6', u'\u00C6', u'\u00F4', u'\u00F6', u'\u00F2', u'\u00FB', u'\u00F9',  // 0x90
    u'\u00FF', u'\u00D6', u'\u00DC', u'\u00A2', u'\u00A3', u'\u00A5', u'\u20A7', u'\u0192',  // 0x98
    u'\u00E1', u'\u00ED', u'\u00F3', u'\u00FA', u'\u00F1', u'\u00D1', u'\u00AA', u'\u00BA',  // 0xA0
    u'\u00BF', u'\u2310', u'\u00AC', u'\u00BD', u'\u00BC', u'\u00A1', u'\u00AB', u'\u00BB',  // 0xA8
    u'\u2591', u'\u2592', u'\u2593', u'\u2502', u'\u2524', u'\u2561', u'\u2562', u'\u2556',  // 0xB0
    u'\u2555', u'\u2563', u'\u2551', u'\u2557', u'\u255D', u'\u255C', u'\u255B', u'\u2510',  // 0xB8
    u'\u2514', u'\u2534', u'\u252C', u'\u251C', u'\u2500', u'\u253C', u'\u255E', u'\u255F',  // 0xC0
    u'\u255A', u'\u2554', u'\u2569', u'\u2566', u'\u2560', u'\u2550', u'\u256C', u'\u2567',  // 0xC8
    u'\u2568', u'\u2564', u'\u2565', u'\u2559', u'\u2558', u'\u2552', u'\u2553', u'\u256B',  // 0xD0
    u'\u256A', u'\u2518', u'\u250C', u'\u2588', u'\u2584', u'\u258C', u'\u2590', u'\u2580',  // 0xD8
    u'\u03B1', u'\u00DF', u'\u0393', u'\u03C0', u'\u03A3', u'\u03C3', u'\u00B5', u'\u03C4',  // 0xE0
    u'\u03A6', u'\u0398', u'\u03A9', u'\u03B4', u'\u221E', u'\u03C6', u'\u03B5', u'\u2229',  // 0xE8
    u'\u2261', u'\u00B1', u'\u2265', u'\u2264', u'\u2320', u'\u2321', u'\u00F7', u'\u2248',  // 0xF0
    u'\u00B0', u'\u2219', u'\u00B7', u'\u221A', u'\u207F', u'\u00B2', u'\u25A0', u'\u00A0',  // 0xF8
};

}  // namespace

bool isUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length;
        char32_t cp;
        if (lead < 0x80) { ++i; continue; }
        if (lead >= 0xC2 && lead <= 0xDF) { length = 2; cp = lead & 0x1F; }
        else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; cp = lead & 0x0F; }
        else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; cp = lead & 0x07; }
        else return false;
        if (i + length > bytes.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        if ((length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp < 0xE000))
            return false;
        i += length;
    }
    return true;
}

std::string cp437ToUtf8(std::string_view bytes) {
    Text text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        const unsigned char b = static_cast<unsigned char>(byte);
        text += b < 0x80 ? static_cast<char16_t>(b) : cp437High[b - 0x80];
    }
    return toUtf8(text);
}

std::string entryName(std::string_view rawName, std::uint16_t flags, std::string_view extraFields) {
    const bool utf8 = isUtf8(rawName);
    if ((flags & utf8Flag) && utf8) return std::string(rawName);
    // Version 1, the CRC-32 of the name it stands for, then the name in UTF-8.
    if (auto field = findExtraField(extraFields, unicodePathField); field && field->size() >= 5 && (*field)[0] == 1) {
        const auto crc = ::crc32(0, reinterpret_cast<const Bytef*>(rawName.data()), static_cast<uInt>(rawName.size()));
        const std::string_view name = field->substr(5);
        if (read32(*field, 1) == crc && isUtf8(name)) return std::string(name);
    }
    return utf8 ? std::string(rawName) : cp437ToUtf8(rawName);
}

}  // namespace stepwise::zip

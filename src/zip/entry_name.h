#pragma once
// Entry names as UTF-8, whatever the program that made the archive wrote.
#include <cstdint>
#include <string>
#include <string_view>

namespace stepwise::zip {

// The name of an entry: its bytes as UTF-8 when flag 0x800 says they are; else the UTF-8 name of
// an Info-ZIP Unicode Path extra field (0x7075, version 1) whose CRC-32 matches the bytes; else the
// bytes when they are valid UTF-8; else the bytes read as code page 437, as DOS and Windows wrote
// them.
std::string entryName(std::string_view rawName, std::uint16_t flags, std::string_view extraFields);

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong forms, no surrogates,
// nothing past U+10FFFF.
bool isUtf8(std::string_view bytes);

std::string cp437ToUtf8(std::string_view bytes);

}  // namespace stepwise::zip

#pragma once
// Zip archives written for the tests, with the faults the tests ask for.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stepwise::testing {

struct ZipEntry {
    std::string name{};                 // the name's bytes
    std::string content{};
    std::uint16_t method = 8;           // 0 stored, 8 deflated; with any other the content is written as is
    std::uint16_t flags = 0;            // with 8 the CRC and sizes follow the data, in a data descriptor
    bool descriptorSignature = true;
    std::string extra{};                // extra fields, in both headers
    std::optional<std::uint32_t> crc{};  // declared instead of the content's
    std::optional<std::uint64_t> size{}; // uncompressed size declared instead of the content's
    std::optional<std::string> data{};   // written instead of the stored or deflated content
};

// With zip64, every entry and the end of the archive have ZIP64 records, however small they are.
std::string writeZip(const std::vector<ZipEntry>& entries, bool zip64 = false, std::string_view comment = {});

std::string deflateRaw(std::string_view bytes);

// An Info-ZIP Unicode Path extra field giving utf8Name to an entry whose name's bytes are rawName.
std::string unicodePathField(std::string_view rawName, std::string_view utf8Name);

}  // namespace stepwise::testing

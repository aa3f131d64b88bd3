#pragma once
// The bytes of an archive's entry as the bytes of another archive (a zip inside a zip), inflated
// only when read. Entries that share one InflatedEntry hold at most one of them inflated at a
// time: reading another drops the last, so memory follows the largest entry, not how many zips a
// zip holds; reading them in turn costs an inflation each time the entry changes. Sources read on
// several threads at once (the class is looked through for identical files on two) take turns.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "zip/zip_archive.h"

namespace stepwise::zip {

// The one inflated entry kept by the sources that share it.
class InflatedEntry {
public:
    // Copies `count` of the entry's bytes from `offset`, the entry inflated again unless it is the
    // one kept; false when the entry cannot be read or holds fewer bytes.
    bool copy(const Archive& archive, std::size_t index, std::uint64_t offset, char* out, std::size_t count);

private:
    const std::string* bytesOf(const Archive& archive, std::size_t index);  // with mutex_ held

    std::recursive_mutex mutex_;  // an entry of a zip in a zip in a zip reads through this again
    const Archive* archive_ = nullptr;
    std::size_t index_ = 0;
    bool held_ = false;
    std::string bytes_;
};

std::shared_ptr<const ByteSource> entrySource(std::shared_ptr<const Archive> archive, std::size_t index,
                                              std::shared_ptr<InflatedEntry> kept);

}  // namespace stepwise::zip

#pragma once
// The bytes of an archive's entry as the bytes of another archive (a zip inside a zip), inflated
// only when read. Entries that share one InflatedEntry hold at most one of them inflated at a
// time: reading another drops the last, so memory follows the largest entry, not how many zips a
// zip holds; reading them in turn costs an inflation each time the entry changes.
#include <memory>
#include <string>

#include "zip/zip_archive.h"

namespace stepwise::zip {

// The one inflated entry kept by the sources that share it.
class InflatedEntry {
public:
    // The entry's bytes, inflated again unless they are the ones kept; nothing when the entry
    // cannot be read.
    const std::string* bytesOf(const Archive& archive, std::size_t index);

private:
    const Archive* archive_ = nullptr;
    std::size_t index_ = 0;
    bool held_ = false;
    std::string bytes_;
};

std::shared_ptr<const ByteSource> entrySource(std::shared_ptr<const Archive> archive, std::size_t index,
                                              std::shared_ptr<InflatedEntry> kept);

}  // namespace stepwise::zip

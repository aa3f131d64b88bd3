#include "zip/entry_source.h"

#include <cstring>

namespace stepwise::zip {

namespace {

class EntrySource : public ByteSource {
public:
    EntrySource(std::shared_ptr<const Archive> archive, std::size_t index, std::shared_ptr<InflatedEntry> kept)
        : archive_(std::move(archive)), index_(index), kept_(std::move(kept)) {}

    std::uint64_t size() const override { return archive_->entries().at(index_).uncompressedSize; }

    bool read(std::uint64_t offset, char* out, std::size_t count) const override {
        return kept_->copy(*archive_, index_, offset, out, count);
    }

private:
    std::shared_ptr<const Archive> archive_;
    std::size_t index_;
    std::shared_ptr<InflatedEntry> kept_;
};

}  // namespace

bool InflatedEntry::copy(const Archive& archive, std::size_t index, std::uint64_t offset, char* out,
                         std::size_t count) {
    // Held to the end of the copy: another thread's read of another entry would free these bytes.
    std::lock_guard lock(mutex_);
    const std::string* bytes = bytesOf(archive, index);
    if (!bytes || offset > bytes->size() || count > bytes->size() - offset) return false;
    std::memcpy(out, bytes->data() + offset, count);
    return true;
}

const std::string* InflatedEntry::bytesOf(const Archive& archive, std::size_t index) {
    if (held_ && archive_ == &archive && index_ == index) return &bytes_;
    held_ = false;
    bytes_ = std::string();  // given back before the next is inflated
    Result<std::string> read = archive.read(index);
    if (!read) return nullptr;
    bytes_ = std::move(read.value());
    archive_ = &archive;
    index_ = index;
    held_ = true;
    return &bytes_;
}

std::shared_ptr<const ByteSource> entrySource(std::shared_ptr<const Archive> archive, std::size_t index,
                                              std::shared_ptr<InflatedEntry> kept) {
    return std::make_shared<EntrySource>(std::move(archive), index, std::move(kept));
}

}  // namespace stepwise::zip

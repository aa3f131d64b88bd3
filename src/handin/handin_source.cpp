#include "handin/handin_source.h"

#include <cerrno>

#include "handin/handin_file.h"
#include "system/path_text.h"
#include "system/whole_file.h"

namespace stepwise::handin {

namespace fs = std::filesystem;

namespace {

std::string sizeLimitInWords() { return std::to_string(handinSizeLimit >> 20) + " MB"; }

HandinSource::Bytes readFile(const fs::path& path) {
    Result<WholeFile> read = readWholeFile(path, handinSizeLimit);
    HandinSource::Bytes result{std::move(read.value.bytes), "", read.value.brokeOff};
    if (!read.failure) return result;
    if (result.partial)
        result.failure = "reading the file stopped after " + std::to_string(result.bytes.size()) +
                         " bytes: " + read.failure->reason;
    else if (read.failure->code == EISDIR)
        result.failure = "this is a folder, not a file";
    else if (read.failure->code == EFBIG)
        result.failure = "the file is larger than " + sizeLimitInWords() + ", which no hand-in is; not read";
    else
        result.failure = "the file cannot be read: " + read.failure->reason;
    return result;
}

}  // namespace

HandinSource::HandinSource(fs::path file)
    : shown_(utf8Path(file)), identity_(canonicalPathText(file)), diskFile_(std::move(file)) {}

HandinSource::HandinSource(fs::path file, std::string identity)
    : shown_(utf8Path(file)), identity_(std::move(identity)), diskFile_(std::move(file)) {}

HandinSource::HandinSource(std::shared_ptr<const zip::Archive> archive, std::size_t index,
                           const HandinSource& container)
    : archive_(std::move(archive)), index_(index), diskFile_(container.diskFile_) {
    const std::string& name = archive_->entries().at(index_).name;
    shown_ = container.shown_ + ":" + name;
    identity_ = container.identity_ + ":" + name;
}

std::string HandinSource::fileName() const {
    const std::size_t slash = shown_.find_last_of(inArchive() ? "/\\:" : "/\\");
    return slash == std::string::npos ? shown_ : shown_.substr(slash + 1);
}

std::shared_ptr<const zip::ByteSource> HandinSource::entryBytes(std::shared_ptr<zip::InflatedEntry> kept) const {
    if (!archive_) return nullptr;
    return zip::entrySource(archive_, index_, std::move(kept));
}

std::optional<std::uint64_t> HandinSource::size() const {
    if (archive_) return archive_->entries().at(index_).uncompressedSize;
    const std::optional<std::uintmax_t> size = regularFileSize(diskFile_);
    if (!size) return std::nullopt;
    return *size;
}

HandinSource::Bytes HandinSource::read() const {
    if (!archive_) return readFile(diskFile_);
    zip::Result<std::string> entry = archive_->read(index_);
    if (!entry) {
        // The problem names the entry, as shown() does already.
        std::string problem = entry.problem();
        const std::string named = archive_->entries().at(index_).name + ": ";
        if (problem.starts_with(named)) problem.erase(0, named.size());
        return {"", std::move(problem), false};
    }
    return {std::move(entry.value()), "", false};
}

}  // namespace stepwise::handin

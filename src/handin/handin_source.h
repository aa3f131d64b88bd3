#pragma once
// Where a hand-in's bytes are: a file on disk, or an entry of a zip archive (a course site's
// "download all"), which is a file or itself an entry of one. Finding a class's hand-ins only
// gathers these; the bytes are read one hand-in at a time, when its student's turn comes, and an
// archive's entries are never written to disk.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "zip/entry_source.h"
#include "zip/zip_archive.h"

namespace stepwise::handin {

class HandinSource {
public:
    HandinSource() = default;
    // A file on disk (implicit: a path is the common case).
    HandinSource(std::filesystem::path file);
    // A file whose identity is known already: its canonical path, as the other one makes it.
    HandinSource(std::filesystem::path file, std::string identity);
    // Entry `index` of an archive whose own bytes `container` holds.
    HandinSource(std::shared_ptr<const zip::Archive> archive, std::size_t index, const HandinSource& container);

    // How reports name it: the path as given (UTF-8), or "class.zip:folder/send_1207Ann_Lee.txt".
    const std::string& shown() const { return shown_; }
    // The last part of the name, where the student's name and the date are read from.
    std::string fileName() const;
    // The file on disk that holds it: the file itself, or the outermost archive.
    const std::filesystem::path& diskFile() const { return diskFile_; }
    bool inArchive() const { return archive_ != nullptr; }
    // The same hand-in reached twice (a file given and found in a folder, an archive given twice)
    // has the same identity.
    const std::string& identity() const { return identity_; }
    // An archive's entry as the bytes of an archive inside it, inflated when read (see
    // zip/entry_source.h); nothing for a file on disk.
    std::shared_ptr<const zip::ByteSource> entryBytes(std::shared_ptr<zip::InflatedEntry> kept) const;

    // Its size in bytes, when known without reading it.
    std::optional<std::uint64_t> size() const;

    // The bytes; on failure the reason, for the instructor. A hand-in larger than handinSizeLimit
    // is not read.
    struct Bytes {
        std::string bytes;    // when reading broke off part of the way, the bytes read before it
        std::string failure;  // "" when read
        bool partial = false;
    };
    Bytes read() const;

    friend bool operator==(const HandinSource& a, const HandinSource& b) { return a.identity_ == b.identity_; }

private:
    std::shared_ptr<const zip::Archive> archive_;
    std::size_t index_ = 0;
    std::string shown_;
    std::string identity_;
    std::filesystem::path diskFile_;
};

}  // namespace stepwise::handin

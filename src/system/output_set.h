#pragma once
// A program's outputs written all or nothing. Each output is first written to a temporary file of
// its own, ".stepwise-review-<random>.tmp", made exclusively in the output's folder; only when
// every output is written and on the disk are they moved into place, each existing output kept
// until then as a backup beside it (a hard link, a copy on Windows). A move that fails, or a stop
// asked for (SIGINT/SIGTERM, Ctrl+C or the console closed on Windows) during the moves, puts the
// outputs already moved back from their backups. A stop at any other time removes the temporary
// files before the program ends, so the earlier outputs stay as they were, byte for byte.
// Replacing keeps the existing file's permission bits (and owner where the process may), and an
// output that is a symbolic link is written through to the file it names: the link stays a link.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "system/system.h"

namespace stepwise {

// What makes a file itself, whatever the spelling of its path: the device and inode (the volume
// serial number and file index on Windows). A name not made yet is its folder's identity and its
// name, letter case aside where the file system ignores it (Windows, macOS).
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t index = 0;
    std::string name;   // "" for an existing file

    bool operator==(const FileIdentity&) const = default;
};

// The identity of the file at `path` (a symbolic link followed), or of the name when it does not
// exist yet; fails when neither the file nor its folder exists.
Result<FileIdentity> fileIdentity(const std::filesystem::path& path);

enum class OutputKind { missing, regularFile, folder, other };

// What stands at an output's path now (a symbolic link followed).
struct OutputState {
    OutputKind kind = OutputKind::missing;
    bool readOnly = false;      // a file that exists and no one may write
};
OutputState outputState(const std::filesystem::path& path);

// The path with its symbolic links followed to the file they name, whether that exists or not.
std::filesystem::path followLinks(std::filesystem::path path);

// The folder an output is written in: that of the file its symbolic links name ("." for a bare name).
std::filesystem::path outputFolder(const std::filesystem::path& output);

// Makes the folder when it is missing and its parent exists; true when this call made it. A
// folder made is removed again when the program is stopped before a set's outputs are committed.
Result<bool> makeFolder(const std::filesystem::path& folder);
// Removes the folder when it is empty (a folder made by this run and not used after all).
void removeEmptyFolder(const std::filesystem::path& folder);

// True when `name` is the name of one of OutputSet's temporary files.
bool isOutputTemporaryName(std::string_view name);

// Removes the temporary files that a killed run left in `folder`, those not changed for `age`.
void removeStaleTemporaries(const std::filesystem::path& folder,
                            std::chrono::seconds age = std::chrono::seconds(60));

class OutputSet {
public:
    OutputSet() = default;
    ~OutputSet();   // removes what was not committed
    OutputSet(const OutputSet&) = delete;
    OutputSet& operator=(const OutputSet&) = delete;

    // Makes the temporary file for the output `target` and returns its number. A scratch file is
    // a temporary file alone, beside the output `besideOutput`: it is never moved into place.
    Result<std::size_t> add(const std::filesystem::path& target);
    Result<std::size_t> addScratch(const std::filesystem::path& besideOutput);

    // Appends to the output's temporary file.
    Status write(std::size_t output, std::string_view bytes);
    // Appends all that the scratch file `from` holds to `to`. A scratch file is copied once: it is
    // removed then, on a second thread while the set goes on.
    Status copy(std::size_t from, std::size_t to);
    // Flushes the output to the disk and closes it; nothing more can be written to it.
    Status close(std::size_t output);

    // Moves every output into place (closing those still open), or none of them; the failure names
    // the file that could not be replaced. `betweenMoves` runs after each move; the tests use it.
    Status commit(const std::function<void(std::size_t moved)>& betweenMoves = {});
    // Removes every temporary file; the outputs stay as they were.
    void discard();

    const std::filesystem::path& target(std::size_t output) const { return files_[output].target; }

    // Makes SIGINT and SIGTERM (Ctrl+C and the console's closing on Windows) end the program
    // through the sets, each removing its temporary files or putting its outputs back.
    static void stopCleanlyOnSignals();

private:
    struct File {
        std::filesystem::path target;       // where the output goes, symbolic links followed
        std::filesystem::path temporary;
        std::filesystem::path backup;       // the old output while the moves go on
        int descriptor = -1;
        bool scratch = false;
        bool moved = false;
    };

    Result<std::size_t> create(const std::filesystem::path& folder, std::filesystem::path target, bool scratch);
    void rollBack();
    // discard(), removing these files too.
    void discardRemoving(std::vector<std::filesystem::path> alsoRemoved);
    void removeAside(File& scratch);

    std::vector<File> files_;
    std::thread removing_;  // a copied scratch file's removal
};

}  // namespace stepwise

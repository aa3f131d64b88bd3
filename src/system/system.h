#pragma once
// The system layer: the one place where the program touches the file system, each job done once
// (besides the clock, local_time.h, and the random sequence, random_source.h).
//   - appending to a file and writing one durably, a folder's entries made durable: append_file.h
//   - replacing a file in one step, never seen half written: atomic_file_replace.h
//   - a run's outputs written all or nothing, files known by their identity: output_set.h
//   - a lock one process at a time holds, on a file of its own: file_lock.h
//   - reading a whole file, up to a size the caller gives: whole_file.h
//   - searching a folder tree for files, iteratively and to a depth limit: folder_walk.h
//   - a path as UTF-8 or as the program's text, and back; Windows' UTF-16 arguments: path_text.h
//   - the program's Windows paths on the system it runs on: path_mapping.h
//   - the lesson program's numbered files and their crash-proof records: file_table.h,
//     group_commit.h, rollback_journal.h
//
// How the layer reports a failure, throughout: as the value it returns, never as an exception (a
// callback the caller hands in may still throw through, and a call the program gets wrong, such as
// a file number that is not open, is a std::logic_error). A failure names the file and the reason.
//   - Status: nothing when the call succeeded, otherwise the SystemError.
//   - Result<T>: the value, and the SystemError when the call failed.
//   - The lesson program's files are named by the paths the program forms, so their calls give the
//     same as a FileError (file_status.h), whose path is the one the program formed.
//   - The building blocks that work on a file the caller holds open or has named (AppendFile,
//     writeDurably, syncFolder, cutBackFile, RollbackJournal) return the errno value alone, 0 when
//     they succeed; the caller, which knows the file, makes the error of it.
#include <filesystem>
#include <optional>
#include <string>

namespace stepwise {

struct SystemError {
    std::filesystem::path path;  // the file, as the caller named it
    std::string reason;          // the system's words, as it gives them, or the layer's own
    int code = 0;                // the errno value behind `reason`; 0 when there is none (a fault
                                 // the layer found itself, a Windows error)
};

using Status = std::optional<SystemError>;

template <typename T>
struct Result {
    T value{};                           // on failure, what the call says it keeps
    std::optional<SystemError> failure;  // nothing when the call succeeded

    explicit operator bool() const { return !failure; }
};

}  // namespace stepwise

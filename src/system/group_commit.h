#pragma once
// Appends a record to a group of files (the master and SEND files, and the notes file for notes)
// as one unit that survives the program being killed, or the power failing, at any instant: the
// record ends up whole in every file of the group, or in none of them.
//
// The first file of the group carries the group's lock, which two copies of the program writing
// to the same files take in turn, and names the group's rollback journal (its path + ".journal").
// A journal left behind by a record that was cut off is rolled back before the next record.
#include <filesystem>
#include <span>
#include <string_view>

#include "system/file_status.h"
#include "system/append_file.h"

namespace stepwise {

struct GroupMember {
    const Text& path;                      // as the program formed it, for messages
    const std::filesystem::path& mapped;   // as the system names it
    AppendFile& file;                      // open for appending
    std::string_view bytes;                // the member's part of the record
};

// Nothing when every file holds its bytes on stable storage. Otherwise the file that failed and
// why; every file has been taken back to where it stood, except those named in keptRecord.
FileStatus commitGroup(std::span<const GroupMember> members);

std::filesystem::path journalPathFor(const std::filesystem::path& firstFile);

}  // namespace stepwise

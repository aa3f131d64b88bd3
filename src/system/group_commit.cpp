#include "system/group_commit.h"

#include <system_error>
#include <vector>

#include "system/file_error.h"
#include "system/path_text.h"
#include "system/rollback_journal.h"

namespace stepwise {

namespace {

class GroupLock {
public:
    explicit GroupLock(AppendFile& file) : file_(file), error_(file.lock()) {}
    ~GroupLock() { file_.unlock(); }
    GroupLock(const GroupLock&) = delete;
    GroupLock& operator=(const GroupLock&) = delete;
    int error() const { return error_; }

private:
    AppendFile& file_;
    int error_;
};

// The journal names files by absolute paths, so that it means the same files to a later run that
// was started from another folder.
std::filesystem::path absolutePath(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    return error ? file : absolute;
}

// The path of a file named in the journal, as the program formed it when it is one of the group.
Text programPath(const std::filesystem::path& file, std::span<const GroupMember> members) {
    for (const GroupMember& member : members)
        if (absolutePath(member.mapped) == file) return member.path;
    return pathText(file);
}

// Takes every file that received bytes of the record back to its size before it; the files that
// cannot be taken back are named in the failure, and the journal goes, so that no later record
// takes from them what the student was told they hold.
FileError takeBack(std::span<const GroupMember> members, const std::vector<JournalEntry>& sizes,
                   const std::vector<std::size_t>& written, const RollbackJournal& journal, FileError failure) {
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i] == 0) continue;
        int error = members[i].file.cutBack(sizes[i].size);
        if (!error) error = members[i].file.syncToDisk();
        if (error) failure.keptRecord.push_back(members[i].path);
    }
    journal.remove();
    return failure;
}

}  // namespace

std::filesystem::path journalPathFor(const std::filesystem::path& firstFile) {
    std::filesystem::path journal = firstFile;
    journal += ".journal";
    return journal;
}

FileStatus commitGroup(std::span<const GroupMember> members) {
    const GroupMember& first = members.front();
    const GroupLock lock(first.file);
    if (lock.error()) return fileErrorFor(first.path, lock.error());

    const RollbackJournal journal(journalPathFor(first.mapped));
    const Text journalPath = first.path + u".journal";
    if (const auto failure = journal.recover()) {
        const bool journalItself = failure->file == journal.path();
        return fileErrorFor(journalItself ? journalPath : programPath(failure->file, members), failure->error);
    }

    std::vector<JournalEntry> sizes;
    for (const GroupMember& member : members) {
        long long size = 0;
        if (const int error = member.file.size(size)) return fileErrorFor(member.path, error);
        sizes.push_back({absolutePath(member.mapped), size});
    }
    if (const int error = journal.write(sizes)) {
        journal.remove();
        return fileErrorFor(journalPath, error);
    }

    std::vector<std::size_t> written;
    for (const GroupMember& member : members) {
        written.push_back(0);
        int error = member.file.append(member.bytes, written.back());
        if (!error) error = member.file.syncToDisk();
        if (error) return takeBack(members, sizes, written, journal, fileErrorFor(member.path, error));
    }
    if (const int error = journal.remove())
        return takeBack(members, sizes, written, journal, fileErrorFor(journalPath, error));
    return std::nullopt;
}

}  // namespace stepwise

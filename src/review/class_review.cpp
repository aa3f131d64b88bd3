#include "review/class_review.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "format/utf8.h"
#include "handin/student_identity.h"
#include "review/copy_folding.h"
#include "review/report_text.h"
#include "system/path_text.h"
#include "system/read_ahead.h"
#include "system/side_thread.h"

namespace stepwise::review {

namespace {

namespace fs = std::filesystem;

struct FoundFile {
    handin::HandinSource source;
    handin::HandinName name;
};

handin::HandinName nameOf(const handin::HandinSource& source, std::vector<handin::Problem>& problems) {
    const std::string fileName = source.fileName();
    if (auto name = handin::parseHandinName(fileName)) {
        if (name->month == 0)
            problems.push_back({source.shown(), 0, "the file name holds no hand-in date (send_MMDD<name>.txt)"});
        return *name;
    }
    problems.push_back({source.shown(), 0, "the file name does not follow send_MMDD<name>.txt; named by the file name"});
    const std::size_t dot = fileName.rfind('.');
    return {handin::decodeNameBytes(dot == std::string::npos || dot == 0 ? fileName : fileName.substr(0, dot)), 0, 0};
}

// What the bytes of the class's files tell: the file an earlier file of the same student repeats
// byte for byte, and the files that other students handed in too.
struct IdenticalFiles {
    std::map<std::string, std::string> repeats;     // a file -> the same student's earlier file
    std::map<std::string, std::string> sharedWith;  // a file -> "identical hand-ins: Ann, Bob"
};

struct SizedEntry {
    std::size_t student;
    const handin::HandinSource* path;
};

// One size's files: a hash picks which to compare, and the bytes decide. One file's bytes are
// held at a time, and the earlier one's read again to compare.
void compareFilesOfOneSize(const std::vector<SizedEntry>& entries, const std::vector<PlannedStudent>& plan,
                           IdenticalFiles& identical) {
    struct Group {
        std::size_t hash;
        std::vector<SizedEntry> members;
    };
    std::vector<Group> groups;
    for (const SizedEntry& entry : entries) {
        const handin::HandinSource::Bytes read = entry.path->read();
        if (!read.failure.empty()) continue;
        const std::size_t hash = std::hash<std::string>{}(read.bytes);
        const auto group = std::find_if(groups.begin(), groups.end(), [&](const Group& g) {
            if (g.hash != hash) return false;
            const handin::HandinSource::Bytes first = g.members.front().path->read();
            return first.failure.empty() && first.bytes == read.bytes;
        });
        if (group == groups.end()) groups.push_back({hash, {entry}});
        else group->members.push_back(entry);
    }
    for (const Group& group : groups) {
        std::vector<std::size_t> students;
        for (const SizedEntry& member : group.members) {
            const auto earlier = std::find_if(group.members.begin(), group.members.end(),
                                              [&](const SizedEntry& e) { return e.student == member.student; });
            if (earlier->path != member.path) identical.repeats[member.path->identity()] = earlier->path->shown();
            else students.push_back(member.student);
        }
        if (students.size() < 2) continue;
        std::string message = "identical hand-ins:";
        for (std::size_t student : students) message += (student == students.front() ? " " : ", ") + reportUtf8(plan[student].name);
        for (const SizedEntry& member : group.members) identical.sharedWith[member.path->identity()] = message;
    }
}

// Only files of one size can be the same. The sizes are asked for and the files of a size read
// on two threads, each taking every other student and every other size: a class is read through
// once more here before its review starts.
IdenticalFiles findIdenticalFiles(const std::vector<PlannedStudent>& plan) {
    const auto sizesOf = [&plan](std::size_t first) {
        std::vector<std::pair<std::uintmax_t, SizedEntry>> sized;
        for (std::size_t student = first; student < plan.size(); student += 2)
            for (const handin::HandinSource& source : plan[student].files)
                if (const auto size = source.size(); size && *size > 0 && *size <= handin::handinSizeLimit)
                    sized.push_back({*size, {student, &source}});
        return sized;
    };
    std::map<std::uintmax_t, std::vector<SizedEntry>> bySize;
    {
        WorkAside<std::vector<std::pair<std::uintmax_t, SizedEntry>>> odd([&] { return sizesOf(1); });
        for (auto& [size, entry] : sizesOf(0)) bySize[size].push_back(entry);
        for (auto& [size, entry] : odd.get()) bySize[size].push_back(entry);
    }
    std::vector<const std::vector<SizedEntry>*> alike;
    for (auto& [size, entries] : bySize) {
        // In the plan's order, whichever thread found them: the earlier file is the one kept.
        std::sort(entries.begin(), entries.end(), [](const SizedEntry& a, const SizedEntry& b) {
            return a.student != b.student ? a.student < b.student : a.path < b.path;
        });
        if (entries.size() > 1) alike.push_back(&entries);
    }
    const auto compareFrom = [&](std::size_t first) {
        IdenticalFiles found;
        for (std::size_t i = first; i < alike.size(); i += 2) compareFilesOfOneSize(*alike[i], plan, found);
        return found;
    };
    WorkAside<IdenticalFiles> odd([&] { return compareFrom(1); });
    IdenticalFiles identical = compareFrom(0);
    IdenticalFiles more = odd.get();
    identical.repeats.merge(more.repeats);
    identical.sharedWith.merge(more.sharedWith);
    return identical;
}

void noteUnknownAssignments(const handin::HandinFile& file, std::set<Text>& unknown) {
    for (const handin::Session& session : file.sessions)
        if (session.hasHeader && !session.known && !session.assignmentHeader.empty()) unknown.insert(session.assignmentHeader);
}

void keepProblems(ClassReview& review, const std::vector<handin::Problem>& problems) {
    const std::size_t kept = std::min(problems.size(), problemsKeptPerFile);
    review.problems.insert(review.problems.end(), problems.begin(), problems.begin() + kept);
    review.problemsOmitted += static_cast<long long>(problems.size() - kept);
}

// One student's files, read and turned into records: all the reports need of them.
struct StudentRead {
    std::vector<std::vector<handin::Problem>> problems;  // each file's, in the order read: one a file
    std::set<Text> unknown;                              // the header lines of assignments not given
    std::vector<handin::HandinFile> files;               // the ones to report: none when all are copies
    std::vector<std::string> sharedWith;                 // "identical hand-ins: Ann, Bob"
};

StudentRead readStudent(const PlannedStudent& planned, const handin::KnownAssignments& known,
                        const IdenticalFiles& identical) {
    StudentRead result;
    std::vector<handin::HandinFile> read;
    std::vector<bool> repeated;  // counted once already, in the same student's earlier file
    std::vector<std::string> sharedWith;
    for (const handin::HandinSource& source : planned.files) {
        handin::HandinFile file = handin::readHandinFile(source, known);
        noteUnknownAssignments(file, result.unknown);
        file.name.student = planned.name;
        // A file that holds no lesson has nothing to count twice.
        const auto repeats = identical.repeats.find(source.identity());
        repeated.push_back(repeats != identical.repeats.end() && !file.sessions.empty());
        if (repeated.back()) {
            file.problems.push_back(duplicateProblem(file, repeats->second));
            file.sessions.clear();
        }
        if (const auto shared = identical.sharedWith.find(source.identity()); shared != identical.sharedWith.end()) {
            file.problems.push_back({file.path, 0, shared->second});
            if (std::find(sharedWith.begin(), sharedWith.end(), shared->second) == sharedWith.end())
                sharedWith.push_back(shared->second);
        }
        read.push_back(std::move(file));
    }
    const std::vector<bool> earlierCopies = foldCopies(read);
    for (std::size_t i = 0; i < read.size(); ++i) {
        result.problems.push_back(std::move(read[i].problems));
        if (!repeated[i] && !earlierCopies[i]) result.files.push_back(std::move(read[i]));
    }
    result.sharedWith = std::move(sharedWith);
    return result;
}

}  // namespace

std::vector<PlannedStudent> planClass(const std::vector<handin::HandinSource>& found,
                                      std::vector<handin::Problem>& problems) {
    std::set<std::string> seen;
    std::vector<FoundFile> files;
    handin::StudentSpellings spellings;
    for (const handin::HandinSource& source : found) {
        if (!seen.insert(source.identity()).second) {
            problems.push_back({source.shown(), 0, "given more than once; counted once"});
            continue;
        }
        files.push_back({source, nameOf(source, problems)});
        spellings.add(files.back().name.student);
    }
    // One student however their files spell the name: each file takes the spelling shown.
    for (FoundFile& file : files) file.name.student = spellings.shown(file.name.student);
    std::stable_sort(files.begin(), files.end(), [](const FoundFile& a, const FoundFile& b) {
        if (a.name.student != b.name.student) return comesBefore(a.name.student, b.name.student);
        return std::tie(a.name.month, a.name.day, a.source.shown()) < std::tie(b.name.month, b.name.day, b.source.shown());
    });
    std::vector<PlannedStudent> students;
    for (const FoundFile& file : files) {
        if (students.empty() || students.back().name != file.name.student) students.push_back({file.name.student, {}});
        students.back().files.push_back(file.source);
    }
    return students;
}

ClassReview reviewClass(const std::vector<fs::path>& paths, const ReviewCallbacks& callbacks,
                        const handin::KnownAssignments& known) {
    std::vector<handin::Problem> problems;
    std::vector<handin::HandinSource> found = handin::findHandinFiles(paths, problems);
    return reviewClass(std::move(found), std::move(problems), callbacks, known);
}

ClassReview reviewClass(std::vector<handin::HandinSource> found, std::vector<handin::Problem> foundProblems,
                        const ReviewCallbacks& callbacks, const handin::KnownAssignments& known) {
    ClassReview review;
    const std::vector<PlannedStudent> plan = planClass(found, foundProblems);
    found = {};  // the plan holds them now
    keepProblems(review, foundProblems);
    if (plan.empty() && foundProblems.empty()) review.problems.push_back({"", 0, "no hand-in files (send_*.txt) found"});

    std::set<Text> unknown;  // the header lines of sessions of assignments not given
    std::size_t total = 0, done = 0;
    for (const PlannedStudent& student : plan) total += student.files.size();
    const IdenticalFiles identical = findIdenticalFiles(plan);
    // The next students are read while the reports take this one.
    ReadAhead<StudentRead> ahead(plan.size(), [&](std::size_t i) { return readStudent(plan[i], known, identical); });
    for (std::size_t i = 0; i < plan.size(); ++i) {
        StudentRead read = ahead.next();
        int problemCount = 0;
        for (const std::vector<handin::Problem>& problems : read.problems) {
            keepProblems(review, problems);
            problemCount += static_cast<int>(problems.size());
        }
        unknown.insert(read.unknown.begin(), read.unknown.end());
        done += read.problems.size();
        if (callbacks.progress) callbacks.progress(done, total);
        // The records and summaries are made on this thread, which has time to spare while the
        // other reads: the summaries are kept to the end, and memory kept is best allocated apart
        // from what the other thread allocates and drops.
        ClassModel model = buildClassModel(std::move(read.files), {});
        for (const Student& student : model.students) {
            StudentSummary summary = summarizeStudent(student);
            summary.problems = problemCount;
            summary.identical = read.sharedWith;
            summary.anchor = "student-" + std::to_string(review.summary.students.size() + 1);
            if (callbacks.student) callbacks.student(student, summary);
            review.summary.add(std::move(summary));
        }
        // The files go back to be freed by the thread that read them; the records, made here, are
        // freed here.
        read.files = std::move(model.files);
        model.students.clear();
        ahead.drop(std::move(read));
    }
    for (const Text& header : unknown)
        review.problems.push_back({"", 0, "sessions of " + reportUtf8(header) + ": give its file with --assignment"});
    return review;
}

}  // namespace stepwise::review

#include "review/class_review.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "format/utf8.h"
#include "handin/student_identity.h"
#include "review/report_text.h"
#include "system/path_text.h"
#include "system/whole_file.h"

namespace stepwise::review {

namespace {

namespace fs = std::filesystem;

struct FoundFile {
    fs::path path;
    handin::HandinName name;
};

handin::HandinName nameOf(const fs::path& path, std::vector<handin::Problem>& problems) {
    const std::string fileName = utf8Path(path.filename());
    if (auto name = handin::parseHandinName(fileName)) {
        if (name->month == 0)
            problems.push_back({utf8Path(path), 0, "the file name holds no hand-in date (send_MMDD<name>.txt)"});
        return *name;
    }
    problems.push_back({utf8Path(path), 0, "the file name does not follow send_MMDD<name>.txt; named by the file name"});
    return {handin::decodeNameBytes(utf8Path(path.stem())), 0, 0};
}

// The same file reached twice (given as a file and found in a folder, say) compares equal here.
std::string identityOf(const fs::path& path) {
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(path, error);
    return utf8Path(error ? path.lexically_normal() : canonical);
}

// What the bytes of the class's files tell: the file an earlier file of the same student repeats
// byte for byte, and the files that other students handed in too.
struct IdenticalFiles {
    std::map<fs::path, fs::path> repeats;        // a file -> the same student's earlier file
    std::map<fs::path, std::string> sharedWith;  // a file -> "identical hand-ins: Ann, Bob"
};

// Only files of one size can be the same; of these, a hash picks which to compare, and the bytes
// decide. One file's bytes are held at a time, and the earlier one's read again to compare.
IdenticalFiles findIdenticalFiles(const std::vector<PlannedStudent>& plan) {
    struct Entry {
        std::size_t student;
        const fs::path* path;
    };
    std::map<std::uintmax_t, std::vector<Entry>> bySize;
    for (std::size_t student = 0; student < plan.size(); ++student)
        for (const fs::path& path : plan[student].files)
            if (const auto size = regularFileSize(path); size && *size > 0 && *size <= handin::handinSizeLimit)
                bySize[*size].push_back({student, &path});
    IdenticalFiles identical;
    for (const auto& [size, entries] : bySize) {
        if (entries.size() < 2) continue;
        struct Group {
            std::size_t hash;
            std::vector<Entry> members;
        };
        std::vector<Group> groups;
        for (const Entry& entry : entries) {
            const Result<WholeFile> read = readWholeFile(*entry.path, handin::handinSizeLimit);
            if (!read) continue;
            const std::size_t hash = std::hash<std::string>{}(read.value.bytes);
            const auto group = std::find_if(groups.begin(), groups.end(), [&](const Group& g) {
                if (g.hash != hash) return false;
                const Result<WholeFile> first = readWholeFile(*g.members.front().path, handin::handinSizeLimit);
                return first && first.value.bytes == read.value.bytes;
            });
            if (group == groups.end()) groups.push_back({hash, {entry}});
            else group->members.push_back(entry);
        }
        for (const Group& group : groups) {
            std::vector<std::size_t> students;
            for (const Entry& member : group.members) {
                const auto earlier = std::find_if(group.members.begin(), group.members.end(),
                                                  [&](const Entry& e) { return e.student == member.student; });
                if (earlier->path != member.path) identical.repeats[*member.path] = *earlier->path;
                else students.push_back(member.student);
            }
            if (students.size() < 2) continue;
            std::string message = "identical hand-ins:";
            for (std::size_t student : students) message += (student == students.front() ? " " : ", ") + reportUtf8(plan[student].name);
            for (const Entry& member : group.members) identical.sharedWith[*member.path] = message;
        }
    }
    return identical;
}

void keepProblems(ClassReview& review, const std::vector<handin::Problem>& problems) {
    const std::size_t kept = std::min(problems.size(), problemsKeptPerFile);
    review.problems.insert(review.problems.end(), problems.begin(), problems.begin() + kept);
    review.problemsOmitted += static_cast<long long>(problems.size() - kept);
}

}  // namespace

std::vector<PlannedStudent> planClass(const std::vector<fs::path>& found, std::vector<handin::Problem>& problems) {
    std::set<std::string> seen;
    std::vector<FoundFile> files;
    handin::StudentSpellings spellings;
    for (const fs::path& path : found) {
        if (!seen.insert(identityOf(path)).second) {
            problems.push_back({utf8Path(path), 0, "given more than once; counted once"});
            continue;
        }
        files.push_back({path, nameOf(path, problems)});
        spellings.add(files.back().name.student);
    }
    // One student however their files spell the name: each file takes the spelling shown.
    for (FoundFile& file : files) file.name.student = spellings.shown(file.name.student);
    std::stable_sort(files.begin(), files.end(), [](const FoundFile& a, const FoundFile& b) {
        if (a.name.student != b.name.student) return comesBefore(a.name.student, b.name.student);
        return std::tie(a.name.month, a.name.day, a.path) < std::tie(b.name.month, b.name.day, b.path);
    });
    std::vector<PlannedStudent> students;
    for (const FoundFile& file : files) {
        if (students.empty() || students.back().name != file.name.student) students.push_back({file.name.student, {}});
        students.back().files.push_back(file.path);
    }
    return students;
}

ClassReview reviewClass(const std::vector<fs::path>& paths, const ReviewCallbacks& callbacks) {
    ClassReview review;
    std::vector<handin::Problem> found;
    const std::vector<PlannedStudent> plan = planClass(handin::findHandinFiles(paths, found), found);
    keepProblems(review, found);
    if (plan.empty() && found.empty()) review.problems.push_back({"", 0, "no hand-in files (send_*.txt) found"});

    std::size_t total = 0, done = 0;
    for (const PlannedStudent& student : plan) total += student.files.size();
    const IdenticalFiles identical = findIdenticalFiles(plan);
    for (const PlannedStudent& planned : plan) {
        std::vector<handin::HandinFile> files;
        std::vector<std::string> sharedWith;
        int problems = 0;
        for (const fs::path& path : planned.files) {
            handin::HandinFile file = handin::readHandinFile(path);
            file.name.student = planned.name;
            // A file that holds no lesson has nothing to count twice.
            const auto repeats = identical.repeats.find(path);
            const bool repeat = repeats != identical.repeats.end() && !file.sessions.empty();
            if (repeat) file.problems.push_back(duplicateProblem(file, utf8Path(repeats->second)));
            if (const auto shared = identical.sharedWith.find(path); shared != identical.sharedWith.end()) {
                file.problems.push_back({file.path, 0, shared->second});
                if (std::find(sharedWith.begin(), sharedWith.end(), shared->second) == sharedWith.end())
                    sharedWith.push_back(shared->second);
            }
            problems += static_cast<int>(file.problems.size());
            keepProblems(review, file.problems);
            if (!repeat) files.push_back(std::move(file));
            if (callbacks.progress) callbacks.progress(++done, total);
        }
        if (files.empty()) continue;
        ClassModel model = buildClassModel(std::move(files), {});
        for (Student& student : model.students) {
            StudentSummary summary = summarizeStudent(student);
            summary.problems = problems;
            summary.identical = sharedWith;
            summary.anchor = "student-" + std::to_string(review.summary.students.size() + 1);
            if (callbacks.student) callbacks.student(student, summary);
            review.summary.add(std::move(summary));
        }
    }
    return review;
}

}  // namespace stepwise::review

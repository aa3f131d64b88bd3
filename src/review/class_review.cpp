#include "review/class_review.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "handin/student_identity.h"
#include "system/path_text.h"

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
    DuplicateFinder duplicates;
    for (const PlannedStudent& planned : plan) {
        std::vector<handin::HandinFile> files;
        int problems = 0;
        for (const fs::path& path : planned.files) {
            handin::HandinFile file = handin::readHandinFile(path);
            file.name.student = planned.name;
            const auto earlier = duplicates.earlierCopy(file);
            if (earlier) file.problems.push_back(duplicateProblem(file, *earlier));
            problems += static_cast<int>(file.problems.size());
            keepProblems(review, file.problems);
            if (!earlier) files.push_back(std::move(file));
            if (callbacks.progress) callbacks.progress(++done, total);
        }
        if (files.empty()) continue;
        ClassModel model = buildClassModel(std::move(files), {});
        for (Student& student : model.students) {
            StudentSummary summary = summarizeStudent(student);
            summary.problems = problems;
            summary.anchor = "student-" + std::to_string(review.summary.students.size() + 1);
            if (callbacks.student) callbacks.student(student, summary);
            review.summary.add(std::move(summary));
        }
    }
    return review;
}

}  // namespace stepwise::review

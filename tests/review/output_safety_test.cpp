// stepwise-review tried as a careless instructor and a mischievous student would: outputs that
// name inputs or each other, folders that are missing, files that may not be replaced, command
// lines that go wrong after good options. A run that fails writes nothing: every file stays as it
// was, byte for byte, and no file is left beside them. Runs the built program as an instructor
// does; the Windows build of these tests runs the same rows against stepwise-review.exe under Wine.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <map>

#include "review/output_checks.h"
#include "support/child_process.h"
#include "support/fake_platform.h"
#include "support/sample_class.h"
#include "support/temp_dir.h"
#include "system/file_lock.h"

namespace stepwise::testing {
namespace {

namespace fs = std::filesystem;

using Tree = std::map<std::string, std::string>;

// Every file and folder under `root` with its bytes ("<folder>" for a folder).
Tree snapshot(const fs::path& root) {
    Tree tree;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = entry.path().lexically_relative(root).generic_string();
        if (entry.is_symlink()) tree[name] = "<link " + fs::read_symlink(entry.path()).string() + ">";
        else tree[name] = entry.is_directory() ? "<folder>" : readBytes(entry.path());
    }
    return tree;
}

void write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

const std::string earlierMarks = "\xEF\xBB\xBFstudent,question,confidence,mark,response\r\nAnn Lee,1,3,1,kept\r\n";

struct Row {
    const char* name;
    std::function<void(const fs::path& root)> setup;
    std::vector<std::string> args;  // "@x" stands for the path x under the test's folder
    int status;
    const char* error = "";         // part of the message on standard error
    std::vector<std::string> exist = {};
    bool needsPosix = false;        // symbolic links, devices, modes
};

void nothing(const fs::path&) {}

// The built stepwise-review: on Windows the one beside the folder of these tests.
fs::path reviewProgram() {
#ifdef _WIN32
    return thisProgram().parent_path().parent_path() / "stepwise-review.exe";
#else
    return STEPWISE_REVIEW_PROGRAM;
#endif
}

struct Outcome {
    int status = -1;
    std::string err;  // with line ends as LF, as the Windows build ends its lines with CR LF
};

Outcome runReviewProgram(const std::vector<std::string>& args, const fs::path& errors) {
    ChildProcess run(reviewProgram(), args, errors);
    Outcome outcome;
    outcome.status = run.wait();
    for (char c : readBytes(errors))
        if (c != '\r') outcome.err += c;
    fs::remove(errors);
    return outcome;
}

const Row rows[] = {
    {"an output names a hand-in", nothing, {"--csv", "@qwelrand/send_1207Ann_Lee.txt", "@qwelrand"}, 2,
     "--csv: "},
    {"an output would be read as a hand-in", nothing, {"--csv", "@send_0101Mallory.txt", "@qwelrand"}, 2,
     "hand-in file's name"},
    {"two spellings of the marks file", nothing, {"--marks", "@marks.csv", "--csv", "@qwelrand/../marks.csv", "@qwelrand"},
     2, "--csv and --marks name the same file"},
    {"two spellings of a new file", nothing, {"--csv", "@new.csv", "--html", "@qwelrand/../new.csv", "@qwelrand"}, 2,
     "name the same file"},
    {"a hard link to the marks file",
     [](const fs::path& root) { fs::create_hard_link(root / "marks.csv", root / "linked.csv"); },
     {"--marks", "@marks.csv", "--students-csv", "@linked.csv", "@qwelrand"}, 2, "name the same file"},
    {"a symbolic link to the marks file",
     [](const fs::path& root) { fs::create_symlink(root / "marks.csv", root / "linked.csv"); },
     {"--marks", "@marks.csv", "--html", "@linked.csv", "@qwelrand"}, 2, "name the same file", {}, true},
    {"the per-assignment spreadsheet is the students'", nothing,
     {"--students-csv", "@s.csv", "--assignments-csv", "@qwelrand/../s.csv", "@qwelrand"}, 2,
     "--students-csv and --assignments-csv name the same file"},
    {"the per-assignment spreadsheet would be read as a hand-in", nothing,
     {"--assignments-csv", "@send_0101Mallory.txt", "@qwelrand"}, 2, "--assignments-csv: "},
    {"an output that is a PATH", [](const fs::path& root) { write(root / "extra.txt", "not a hand-in"); },
     {"--csv", "@extra.txt", "@qwelrand", "@extra.txt"}, 2, "is the input"},
    {"a hard link to a hand-in",
     [](const fs::path& root) { fs::create_hard_link(root / "qwelrand/send_1207Ann_Lee.txt", root / "ann.csv"); },
     {"--csv", "@ann.csv", "@qwelrand"}, 2, "is the input"},
    {"a report's folder is missing", nothing, {"--csv", "@class.csv", "--html", "@missing/class.html", "@qwelrand"}, 2,
     "--html: "},
    {"an output is a folder", nothing, {"--csv", "@qwelrand", "@qwelrand"}, 2, "is a folder"},
    {"an output is a device", nothing, {"--csv", "/dev/null", "@qwelrand"}, 2, "not a regular file", {}, true},
    {"a read-only output",
     [](const fs::path& root) { fs::permissions(root / "class.csv", fs::perms::owner_read | fs::perms::group_read); },
     {"--csv", "@class.csv", "@qwelrand"}, 2, "read-only"},
    {"the feedback folder's parent is missing", nothing, {"--feedback", "@missing/pages", "@qwelrand"}, 2,
     "--feedback: "},
    {"the feedback folder is a file", nothing, {"--csv", "@other.csv", "--feedback", "@class.csv", "@qwelrand"}, 2,
     "is not a folder"},
    {"a feedback page that cannot be replaced",
     [](const fs::path& root) { fs::create_directories(root / "pages/Cy.html/inside"); },
     {"--csv", "@class.csv", "--marks", "@marks.csv", "--feedback", "@pages", "@qwelrand"}, 2, "Cy.html"},
    {"a marks file that is not one", [](const fs::path& root) { write(root / "marks.csv", "name;score\r\n"); },
     {"--csv", "@class.csv", "--marks", "@marks.csv", "@qwelrand"}, 2, "is not a marks file"},
    {"a bad option after good ones", nothing, {"--csv", "@class.csv", "--html", "@class.html", "--bogus", "@qwelrand"},
     2, "unknown option --bogus\nUsage: stepwise-review"},
    {"an option given twice", nothing, {"--csv", "@class.csv", "--csv", "@other.csv", "@qwelrand"}, 2,
     "--csv is given more than once"},
    {"an option without its value", nothing, {"--csv", "--html", "@class.html", "@qwelrand"}, 2,
     "--csv needs a file name"},
    {"no PATH", nothing, {"--csv", "@class.csv"}, 2, "no PATH given"},
    {"a PATH that does not exist", nothing, {"--csv", "@class.csv", "@qwelrand", "@nowhere"}, 2,
     "no such file or folder"},
    {"--help after a bad option", nothing, {"--bogus", "--csv", "@class.csv", "--help"}, 0},
    {"--version after a PATH that does not exist", nothing, {"@nowhere", "--version"}, 0},
    {"the marks file held by another review",
     [](const fs::path& root) {
         static FileLock other;
         ASSERT_FALSE(other.acquire(review::marksLockPath(root / "marks.csv"), std::chrono::milliseconds(0)));
     },
     {"--csv", "@class.csv", "--marks", "@marks.csv", "@qwelrand"}, 2, "another review holds the marks file"},
    {"every output written, stale temporary files removed",
     [](const fs::path& root) {
         write(root / ".stepwise-review-0123456789abcdef.tmp", "left by a killed run");
         fs::last_write_time(root / ".stepwise-review-0123456789abcdef.tmp",
                             fs::file_time_type::clock::now() - std::chrono::minutes(2));
         write(root / "pages.tmp", "not ours");
     },
     {"--csv", "@class.csv", "--html", "@class.html", "--marks", "@marks.csv", "--students-csv", "@students.csv",
      "--assignments-csv", "@assignments.csv", "--feedback", "@pages", "@qwelrand"},
     0, "", {"class.csv", "class.html", "marks.csv", "students.csv", "assignments.csv", "pages/Cy.html", "pages.tmp",
             ".marks.csv.lock"}},
};

TEST(OutputSafety, AFailedRunWritesNothingAndLeavesNothingBehind) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
#ifdef _WIN32
        if (row.needsPosix) continue;
#endif
        TempDir temp;
        const fs::path root = temp.path();
        writeSampleClass(root);
        write(root / "class.csv", "earlier report\r\n");
        write(root / "class.html", "<p>earlier report</p>\n");
        write(root / "students.csv", "earlier students\r\n");
        write(root / "marks.csv", earlierMarks);
        row.setup(root);
        if (::testing::Test::HasFatalFailure()) return;
        Tree before = snapshot(root);
        before.erase(".marks.csv.lock");

        std::vector<std::string> args;
        for (const std::string& arg : row.args) args.push_back(arg[0] == '@' ? (root / arg.substr(1)).string() : arg);
        const Outcome run = runReviewProgram(args, temp.path().parent_path() / (temp.path().filename().string() + ".err"));
        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_NE(run.err.find(row.error), std::string::npos) << run.err;

        Tree after = snapshot(root);
        after.erase(".marks.csv.lock");  // the lock's own file, never renamed or removed
        if (row.status == 2) {
            for (const auto& [name, bytes] : after)
                EXPECT_TRUE(before.count(name) && before.at(name) == bytes) << name << " written or left behind";
            for (const auto& [name, bytes] : before) EXPECT_TRUE(after.count(name)) << name << " removed";
            continue;
        }
        for (const std::string& name : row.exist) EXPECT_TRUE(fs::exists(root / name)) << name;
        for (const auto& [name, bytes] : after)
            EXPECT_EQ(name.find(".stepwise-review-"), std::string::npos) << name << " left behind";
        if (row.status == 0 && !row.exist.empty()) {
            EXPECT_NE(after["class.csv"], before.at("class.csv"));
        }
    }
}

}  // namespace
}  // namespace stepwise::testing

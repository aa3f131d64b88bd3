// stepwise-review's outputs when the run is stopped from outside while it writes a large class's
// reports, and when two reviews update one marks file at once.
#include <chrono>
#include <fstream>
#include <map>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

#include "review/marks_file.h"
#include "review/review_program_fixture.h"

namespace stepwise::testing {
namespace {

#ifndef _WIN32
namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;

Tree snapshot(const fs::path& root) {
    Tree tree;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = entry.path().lexically_relative(root).generic_string();
        if (name != ".marks.csv.lock") tree[name] = entry.is_directory() ? "<folder>" : readBytes(entry.path());
    }
    return tree;
}

// The built program started in `folder`, its output going nowhere.
pid_t startReview(const fs::path& folder, const std::vector<std::string>& args) {
    const std::string program = STEPWISE_REVIEW_PROGRAM;
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// How the process ended: its exit status, or 128 + the signal.
int waitFor(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

const std::vector<std::string> allReports = {"--csv", "class.csv", "--html", "class.html", "--marks", "marks.csv",
                                             "--students-csv", "students.csv", "--feedback", "pages", "big"};

TEST_F(ReviewProgramTest, AStoppedRunLeavesTheEarlierOutputs) {
    // The earlier outputs, of the small class; then a large class to write over them.
    const fs::path pristine = temp.path() / "pristine";
    fs::create_directories(pristine);
    fs::rename(folder(), pristine / "big");
    ASSERT_EQ(waitFor(startReview(pristine, allReports)), 0);
    fs::create_directories(pristine / "big-class");
    writeGeneratedClass(pristine / "big-class", 80);
    for (const fs::directory_entry& file : fs::recursive_directory_iterator(pristine / "big-class"))
        if (file.is_regular_file() && file.path().filename().string().starts_with("send_"))
            fs::copy_file(file.path(), pristine / "big" / file.path().filename(), fs::copy_options::overwrite_existing);
    fs::remove_all(pristine / "big-class");
    const Tree before = snapshot(pristine);

    const fs::path reference = temp.path() / "reference";
    fs::copy(pristine, reference, fs::copy_options::recursive);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(waitFor(startReview(reference, allReports)), 0);
    const auto whole = std::chrono::steady_clock::now() - started;
    const Tree after = snapshot(reference);
    ASSERT_NE(after, before);

    int trial = 0;
    for (const int signal : {SIGTERM, SIGKILL})
        for (const double share : {0.1, 0.5, 0.9}) {
            SCOPED_TRACE(std::string(signal == SIGTERM ? "SIGTERM" : "SIGKILL") + " at " + std::to_string(share));
            const fs::path run = temp.path() / ("run" + std::to_string(++trial));
            fs::copy(pristine, run, fs::copy_options::recursive);
            const pid_t pid = startReview(run, allReports);
            std::this_thread::sleep_for(std::chrono::duration_cast<std::chrono::microseconds>(whole * share));
            ::kill(pid, signal);
            const int ended = waitFor(pid);
            Tree left = snapshot(run);
            if (signal == SIGKILL) {
                // Only temporary files may stay; the next run removes them once they are a minute old.
                for (auto entry = left.begin(); entry != left.end();) {
                    const fs::path path = run / entry->first;
                    if (path.filename().string().starts_with(".stepwise-review-")) {
                        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::minutes(2));
                        entry = left.erase(entry);
                    } else {
                        ++entry;
                    }
                }
            }
            EXPECT_TRUE(left == before || left == after) << "ended with " << ended;
            if (signal == SIGKILL) {
                ASSERT_EQ(waitFor(startReview(run, allReports)), 0);
                EXPECT_EQ(snapshot(run), after) << "nothing stray after the next run";
            }
            fs::remove_all(run);
        }
}

// A run that makes the feedback folder and is stopped before its outputs are in place takes the
// folder away again, as a run that fails does: also a run that would be refused at the end for
// marks typed into its --csv report, whose folder is made before the report is read through.
TEST_F(ReviewProgramTest, AStoppedRunTakesAwayTheFeedbackFolderItMade) {
    const fs::path pristine = temp.path() / "pristine";
    fs::create_directories(pristine);
    fs::rename(folder(), pristine / "big");
    fs::create_directories(pristine / "big-class");
    writeGeneratedClass(pristine / "big-class", 120);
    for (const fs::directory_entry& file : fs::recursive_directory_iterator(pristine / "big-class"))
        if (file.is_regular_file() && file.path().filename().string().starts_with("send_"))
            fs::copy_file(file.path(), pristine / "big" / file.path().filename(), fs::copy_options::overwrite_existing);
    fs::remove_all(pristine / "big-class");
    ASSERT_EQ(waitFor(startReview(pristine, {"--csv", "typed.csv", "big"})), 0);
    std::string typed = readBytes(pristine / "typed.csv");
    const std::size_t firstMark = typed.find(",\"001.  Rates\"");
    ASSERT_NE(firstMark, std::string::npos);
    typed.insert(firstMark, "1");
    std::ofstream(pristine / "typed.csv", std::ios::binary) << typed;
    const Tree before = snapshot(pristine);

    struct Case {
        const char* run;
        std::vector<std::string> args;
        int exit;  // when it is not stopped
    };
    const std::vector<Case> cases = {
        {"a first run", {"--html", "class.html", "--feedback", "pages", "big"}, 0},
        {"a run refused for typed marks", {"--csv", "typed.csv", "--feedback", "pages", "big"}, 2},
    };
    int trial = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.run);
        const fs::path reference = temp.path() / "reference";
        fs::copy(pristine, reference, fs::copy_options::recursive);
        const auto started = std::chrono::steady_clock::now();
        ASSERT_EQ(waitFor(startReview(reference, c.args)), c.exit);
        const auto whole = std::chrono::steady_clock::now() - started;
        const Tree after = snapshot(reference);
        fs::remove_all(reference);
        if (c.exit != 0) EXPECT_EQ(after, before);
        for (const double share : {0.15, 0.3, 0.45, 0.6, 0.75, 0.9}) {
            SCOPED_TRACE("SIGTERM at " + std::to_string(share));
            const fs::path run = temp.path() / ("run" + std::to_string(++trial));
            fs::copy(pristine, run, fs::copy_options::recursive);
            const pid_t pid = startReview(run, c.args);
            std::this_thread::sleep_for(std::chrono::duration_cast<std::chrono::microseconds>(whole * share));
            ::kill(pid, SIGTERM);
            const int ended = waitFor(pid);
            const Tree left = snapshot(run);
            EXPECT_TRUE(left == before || left == after) << "ended with " << ended << "; pages left: " << left.count("pages");
            fs::remove_all(run);
        }
    }
}

// The program started in `folder` where it may map no more than `megabytes` of memory; with
// `noThreads`, where no thread can be had either: each thread's stack would be as large as all the
// memory the process may map. The exit status; 120 when the limits could not be set.
int runWithMemoryLimit(const fs::path& folder, const std::vector<std::string>& args, rlim_t megabytes,
                       bool noThreads = false) {
    const std::string program = STEPWISE_REVIEW_PROGRAM;
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int nowhere = ::open("/dev/null", O_WRONLY);
        ::dup2(nowhere, 1);
        ::dup2(nowhere, 2);
        const rlimit limit{megabytes << 20, megabytes << 20};
        if (::chdir(folder.c_str()) != 0 || ::setrlimit(RLIMIT_AS, &limit) != 0 ||
            (noThreads && ::setrlimit(RLIMIT_STACK, &limit) != 0))
            ::_exit(120);
        ::execve(program.c_str(), argv.data(), environ);
        ::_exit(121);
    }
    return waitFor(pid);
}

int runWithoutThreads(const fs::path& folder, const std::vector<std::string>& args) {
    return runWithMemoryLimit(folder, args, 512, true);
}

TEST_F(ReviewProgramTest, WithoutThreadsARunDoesTheirWorkItself) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a sanitizer's program needs more memory to map than the limit leaves";
#endif
    fs::rename(folder(), temp.path() / "class");
    const std::vector<std::string> reports = {"--csv",    "class.csv",  "--html", "class.html", "--students-csv",
                                              "students.csv", "--feedback", "pages",  "class"};
    ASSERT_EQ(waitFor(startReview(temp.path(), reports)), 0);
    const Tree written = snapshot(temp.path());
    // Written again over the outputs: the report is read for typed marks, the old outputs' backups
    // are removed after the moves.
    EXPECT_EQ(runWithoutThreads(temp.path(), reports), 0);
    EXPECT_EQ(snapshot(temp.path()), written);

    std::string typed = readBytes(temp.path() / "class.csv");
    const std::size_t firstMark = typed.find(",\"001.  Rates\"");
    ASSERT_NE(firstMark, std::string::npos);
    typed.insert(firstMark, "1");
    std::ofstream(temp.path() / "class.csv", std::ios::binary) << typed;
    fs::remove_all(temp.path() / "pages");
    const Tree before = snapshot(temp.path());
    EXPECT_EQ(runWithoutThreads(temp.path(), reports), 2);
    EXPECT_EQ(snapshot(temp.path()), before) << "nothing written, no temporary file, the folder it made taken away";
}

// Hand-ins whose blocks are megabytes long, none like another (edited by hand, or made to hurt):
// what the review keeps of the blocks it has seen stays small beside one hand-in.
TEST_F(ReviewProgramTest, LongBlocksNoneAlikeAreNotAllKept) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a sanitizer's program needs more memory to map than the limit leaves";
#endif
    const std::string handin = readBytes(folder() / "send_1207Ann_Lee.txt");
    const std::string separator = "......!!!!!!!!...................................\r\n";
    const std::size_t stamp = handin.find(separator);
    ASSERT_NE(stamp, std::string::npos);
    const std::size_t block = handin.find("\r\n", stamp + separator.size()) + 2;  // after the time
    const std::size_t blockEnd = handin.find(separator, block);
    ASSERT_NE(blockEnd, std::string::npos);
    fs::create_directories(temp.path() / "long");
    for (int student = 0; student < 24; ++student) {
        std::string text = "Block " + std::to_string(student) + ": ";
        std::uint32_t state = static_cast<std::uint32_t>(student);
        while (text.size() < (3u << 20)) text += static_cast<char>('a' + (state = state * 1103515245u + 12345u) % 26);
        std::ofstream(temp.path() / "long" / ("send_1207Long_" + std::to_string(student) + ".txt"), std::ios::binary)
            << handin.substr(0, block) << text << "\r\n" << handin.substr(blockEnd);
    }
    // 1: no such block is one of the built-in assignment's.
    EXPECT_EQ(runWithMemoryLimit(temp.path(), {"--csv", "class.csv", "--html", "class.html", "long"}, 256), 1);
    EXPECT_NE(readBytes(temp.path() / "class.html").find("Block 23: "), std::string::npos) << "the report is written";
}

TEST_F(ReviewProgramTest, TwoReviewsAtOnceLoseNoMarksRow) {
    // Ann's hand-ins in one folder, Cy's and Zoë's in another, each read by its own review.
    fs::create_directories(temp.path() / "first");
    fs::create_directories(temp.path() / "second");
    for (const fs::directory_entry& file : fs::directory_iterator(folder()))
        fs::rename(file.path(), temp.path() / (file.path().filename().string().find("Ann") != std::string::npos
                                                   ? "first"
                                                   : "second") /
                                    file.path().filename());
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        fs::remove(temp.path() / "marks.csv");
        const pid_t first = startReview(temp.path(), {"--marks", "marks.csv", "first"});
        const pid_t second = startReview(temp.path(), {"--marks", "marks.csv", "second"});
        EXPECT_EQ(waitFor(first), 0);
        EXPECT_EQ(waitFor(second), 0);
        std::map<std::string, int> rows;
        for (const review::MarksRow& row : review::parseMarksFile(readBytes(temp.path() / "marks.csv")).rows)
            ++rows[row.student];
        EXPECT_EQ(rows, (std::map<std::string, int>{{"Ann Lee", 7}, {"Cy", 12}, {"Zo\xC3\xAB \xC3\x9Cmit", 4}}));
    }
}
#endif

}  // namespace
}  // namespace stepwise::testing

// stepwise-review on a generated class of 1,000 hand-in files (about 20 MB), written by the
// student program's own record code: the whole run (read, CSV and HTML) is timed side by side
// with `wc -l` over the same files, and its peak memory is compared with a class of 100 files.
// Fails unless the run stays within 10 times the time of wc -l and the peak memory of the large
// class stays within that of the small class plus a few of the largest files and 2 KB for each
// further file (its path and overview row): memory follows the largest file, not the class.
// Run by hand: build-release/bench/review_bench
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/sample_class.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

struct Measure {
    double seconds = 0;
    long peakKilobytes = 0;
};

// The peak resident set of a process, from /proc (VmHWM), in KB.
long peakKilobytesOf(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

// Runs the program with its output thrown away: the wall time and the program's own peak resident
// set. The child is traced only to stop it as it exits, when its memory is still there to read:
// the peak is the program's alone, not the forked copy of this process.
Measure runProgram(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::fflush(stdout);  // the child must not write this process's buffered output again
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (!std::freopen("/dev/null", "w", stdout)) _exit(127);
        ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        raise(SIGSTOP);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);  // stopped before exec
    ptrace(PTRACE_SETOPTIONS, child, nullptr, reinterpret_cast<void*>(PTRACE_O_TRACEEXIT | PTRACE_O_TRACEEXEC));
    ptrace(PTRACE_CONT, child, nullptr, nullptr);
    long peak = 0;
    for (;;) {
        waitpid(child, &status, 0);
        if (WIFEXITED(status) || WIFSIGNALED(status)) break;
        int signal = 0;
        if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) peak = peakKilobytesOf(child);
        else if (WIFSTOPPED(status) && WSTOPSIG(status) != SIGTRAP) signal = WSTOPSIG(status);
        ptrace(PTRACE_CONT, child, nullptr, reinterpret_cast<void*>(static_cast<long>(signal)));
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", args[0].c_str(), status);
        std::exit(1);
    }
    return {seconds, peak};
}

// The best of three runs, so that both commands read from a warm cache.
Measure best(const std::vector<std::string>& args) {
    Measure result = runProgram(args);
    for (int i = 0; i < 2; ++i) {
        const Measure again = runProgram(args);
        result.seconds = std::min(result.seconds, again.seconds);
        result.peakKilobytes = std::max(result.peakKilobytes, again.peakKilobytes);
    }
    return result;
}

struct ClassRun {
    int files = 0;
    double megabytes = 0;
    double largestKilobytes = 0;
    Measure wc, review;
};

// Measures the class in <root>/qwelrand; without a root, a class of `files` files is generated
// first (which takes minutes: every record is flushed to disk as the student program does).
ClassRun measureClass(int files, const char* root) {
    stepwise::testing::TempDir temp;
    if (!root) stepwise::testing::writeGeneratedClass(temp.path(), files);
    const fs::path folder = (root ? fs::path(root) : temp.path()) / "qwelrand";
    ClassRun run;
    std::vector<std::string> wc = {"wc", "-l"};
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().rfind("send_", 0) != 0) continue;
        wc.push_back(entry.path().string());
        ++run.files;
        run.megabytes += entry.file_size() / 1e6;
        run.largestKilobytes = std::max(run.largestKilobytes, entry.file_size() / 1e3);
    }
    run.wc = best(wc);
    run.review = best({STEPWISE_REVIEW_PROGRAM, "--csv", (temp.path() / "class.csv").string(), "--html",
                       (temp.path() / "class.html").string(), folder.string()});
    std::printf("%5d files, %5.1f MB (largest %.0f KB): wc -l %.3f s, stepwise-review %.3f s (%.1f times), "
                "peak memory %ld KB; CSV %.1f MB, HTML %.1f MB\n",
                run.files, run.megabytes, run.largestKilobytes, run.wc.seconds, run.review.seconds,
                run.review.seconds / run.wc.seconds, run.review.peakKilobytes,
                fs::file_size(temp.path() / "class.csv") / 1e6, fs::file_size(temp.path() / "class.html") / 1e6);
    return run;
}

}  // namespace

// Usage: review_bench [SMALL LARGE]: folders whose qwelrand/ holds classes written earlier by
// stepwise_write_sample_class FOLDER --generated 100 (and 1000).
int main(int argc, char** argv) {
    const ClassRun small = measureClass(100, argc == 3 ? argv[1] : nullptr);
    const ClassRun large = measureClass(1000, argc == 3 ? argv[2] : nullptr);
    bool ok = true;
    const double ratio = large.review.seconds / large.wc.seconds;
    if (ratio > 10) {
        std::printf("FAIL: stepwise-review takes %.1f times as long as wc -l (at most 10)\n", ratio);
        ok = false;
    }
    // Ten times the files may cost a few of the largest files more memory, and the little kept
    // for each file for the whole class (its path, its overview row: at most 2 KB), not its text.
    const long margin = static_cast<long>(4 * large.largestKilobytes) + 2 * (large.files - small.files);
    if (large.review.peakKilobytes > small.review.peakKilobytes + margin) {
        std::printf("FAIL: peak memory grows with the class: %ld KB for 100 files, %ld KB for 1000\n",
                    small.review.peakKilobytes, large.review.peakKilobytes);
        ok = false;
    }
    std::printf(ok ? "passed\n" : "failed\n");
    return ok ? 0 : 1;
}

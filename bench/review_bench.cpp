// stepwise-review on a generated class the size of a real one: 1,000 hand-in files of about 57 KB
// (two sessions each, answers of 150 to 450 words), written by the student program's own record
// code. The whole run (read, CSV and HTML) is timed side by side with `wc -l` over the same files
// and must take at most 4 times as long (wall time; the CPU time is shown too, as the run reads
// the next students on a second thread). Beside it, the time of the run's reads and writes alone,
// with nothing parsed or made: the part of the figure that is the machine's file system. Its peak
// memory is compared with a class of 100 files and may grow by a few of the largest files and 3 KB
// for each further file (its path and its overview figures): memory follows the largest file,
// not the class.
// With --empty-lines: one hand-in of 50 MB of empty lines, whose peak memory must stay under 250 MB
// (the file itself, once, and little more).
// Run by hand: build-release/bench/review_bench [--empty-lines]. Writing the classes flushes every record
// as the student program does: with TMPDIR=/dev/shm that takes seconds, not minutes.
#include <fcntl.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
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
#include <tuple>
#include <utility>
#include <vector>

#include "support/sample_class.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

struct Measure {
    double seconds = 0;     // wall time
    double cpuSeconds = 0;  // user and system time: what the ratio is taken of, since on a shared
                            // machine the wall time also counts the other processes' turns
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
Measure runProgram(const std::vector<std::string>& args, int expectedStatus = 0) {
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
    rusage usage{};
    for (;;) {
        wait4(child, &status, 0, &usage);
        if (WIFEXITED(status) || WIFSIGNALED(status)) break;
        int signal = 0;
        if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) peak = peakKilobytesOf(child);
        else if (WIFSTOPPED(status) && WSTOPSIG(status) != SIGTRAP) signal = WSTOPSIG(status);
        ptrace(PTRACE_CONT, child, nullptr, reinterpret_cast<void*>(static_cast<long>(signal)));
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != expectedStatus) {
        std::fprintf(stderr, "%s failed (status %d)\n", args[0].c_str(), status);
        std::exit(1);
    }
    const double cpu = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return {seconds, cpu, peak};
}

// The best of fifteen runs of each command, so that both read from a warm cache and the figure is
// the program's, not the machine's other work. The two commands take turns, so that a busy spell
// of the machine falls on both alike.
constexpr int runsEach = 15;

void keepBest(Measure& best, const Measure& again) {
    best.seconds = std::min(best.seconds, again.seconds);
    best.cpuSeconds = std::min(best.cpuSeconds, again.cpuSeconds);
    best.peakKilobytes = std::max(best.peakKilobytes, again.peakKilobytes);
}

std::pair<Measure, Measure> bestInTurns(const std::vector<std::string>& first, const std::vector<std::string>& second) {
    std::pair<Measure, Measure> result{runProgram(first), runProgram(second)};
    for (int i = 1; i < runsEach; ++i) {
        keepBest(result.first, runProgram(first));
        keepBest(result.second, runProgram(second));
    }
    return result;
}

// What the run reads and writes, with no reading of hand-ins into records and no report made: every
// hand-in read, `csvBytes` and `htmlBytes` written in pieces of a student's size (the HTML's
// students through a scratch file copied in after its overview, as the report writes them), both
// flushed and moved into place over the earlier ones. The wall time of the best of fifteen runs, in
// a child process as the others.
double measureInputOutputAlone(const std::vector<std::string>& files, const fs::path& folder, std::uintmax_t csvBytes,
                               std::uintmax_t htmlBytes) {
    const auto once = [&] {
        std::vector<char> buffer(1 << 16);
        const std::string csvPiece(csvBytes / files.size(), 'c'), htmlPiece(htmlBytes / files.size(), 'h');
        const fs::path csv = folder / "io.csv", html = folder / "io.html";
        const int csvOut = ::open((csv.string() + ".tmp").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int htmlOut = ::open((html.string() + ".tmp").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int scratch = ::open((folder / "io.scratch").c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
        bool written = csvOut >= 0 && htmlOut >= 0 && scratch >= 0;
        for (const std::string& file : files) {
            const int in = ::open(file.c_str(), O_RDONLY);
            while (in >= 0 && ::read(in, buffer.data(), buffer.size()) > 0) {
            }
            ::close(in);
            written = written && ::write(csvOut, csvPiece.data(), csvPiece.size()) == static_cast<ssize_t>(csvPiece.size());
            written = written && ::write(scratch, htmlPiece.data(), htmlPiece.size()) == static_cast<ssize_t>(htmlPiece.size());
        }
        written = written && ::write(htmlOut, "<overview>", 10) == 10 && ::lseek(scratch, 0, SEEK_SET) == 0;
        while (written && ::copy_file_range(scratch, nullptr, htmlOut, nullptr, std::size_t{1} << 30, 0) > 0) {
        }
        written = written && ::fsync(csvOut) == 0 && ::fsync(htmlOut) == 0;
        ::close(csvOut);
        ::close(htmlOut);
        ::close(scratch);
        written = written && std::rename((csv.string() + ".tmp").c_str(), csv.c_str()) == 0 &&
                  std::rename((html.string() + ".tmp").c_str(), html.c_str()) == 0 && ::unlink((folder / "io.scratch").c_str()) == 0;
        return written;
    };
    double bestSeconds = 1e9;
    for (int i = 0; i < runsEach; ++i) {
        std::fflush(stdout);
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) _exit(once() ? 0 : 1);
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "the reads and writes alone failed\n");
            std::exit(1);
        }
        bestSeconds = std::min(bestSeconds, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return bestSeconds;
}

struct ClassRun {
    int files = 0;
    double megabytes = 0;
    double largestKilobytes = 0;
    Measure wc, review;
    double inputOutputSeconds = 0;
};

// Generates a class of `files` files and measures it.
ClassRun measureClass(int files) {
    stepwise::testing::TempDir temp;
    stepwise::testing::writeRealisticClass(temp.path(), files);
    const fs::path folder = temp.path() / "qwelrand";
    ClassRun run;
    std::vector<std::string> wc = {"wc", "-l"};
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().rfind("send_", 0) != 0) continue;
        wc.push_back(entry.path().string());
        ++run.files;
        run.megabytes += entry.file_size() / 1e6;
        run.largestKilobytes = std::max(run.largestKilobytes, entry.file_size() / 1e3);
    }
    std::tie(run.wc, run.review) =
        bestInTurns(wc, {STEPWISE_REVIEW_PROGRAM, "--csv", (temp.path() / "class.csv").string(), "--html",
                         (temp.path() / "class.html").string(), folder.string()});
    const std::uintmax_t csvBytes = fs::file_size(temp.path() / "class.csv"), htmlBytes = fs::file_size(temp.path() / "class.html");
    run.inputOutputSeconds =
        measureInputOutputAlone(std::vector<std::string>(wc.begin() + 2, wc.end()), temp.path(), csvBytes, htmlBytes);
    std::printf("%5d files, %5.1f MB (largest %.0f KB): wc -l %.3f s (CPU %.3f s), stepwise-review %.3f s (CPU "
                "%.3f s): %.1f times, %.1f times the CPU; its reads and writes alone %.3f s (%.1f times); peak memory "
                "%ld KB; CSV %.1f MB, HTML %.1f MB\n",
                run.files, run.megabytes, run.largestKilobytes, run.wc.seconds, run.wc.cpuSeconds, run.review.seconds,
                run.review.cpuSeconds, run.review.seconds / run.wc.seconds, run.review.cpuSeconds / run.wc.cpuSeconds,
                run.inputOutputSeconds, run.inputOutputSeconds / run.wc.seconds, run.review.peakKilobytes, csvBytes / 1e6,
                htmlBytes / 1e6);
    return run;
}

}  // namespace

// The peak memory of a run over one hand-in of 50 MB of empty lines (LF alone: the most lines).
bool measureEmptyLines() {
    stepwise::testing::TempDir temp;
    const fs::path file = temp.path() / "send_1207Ann.txt";
    std::ofstream(file, std::ios::binary) << std::string(50'000'000, '\n');
    // The file holds no lesson: the run reports it and exits 1.
    const Measure run = runProgram({STEPWISE_REVIEW_PROGRAM, "--csv", (temp.path() / "class.csv").string(), file.string()}, 1);
    std::printf("50 MB of empty lines: stepwise-review %.3f s, peak memory %ld KB\n", run.seconds, run.peakKilobytes);
    if (run.peakKilobytes >= 250'000) {
        std::printf("FAIL: the peak memory is not under 250 MB\n");
        return false;
    }
    return true;
}

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--empty-lines") {
        const bool ok = measureEmptyLines();
        std::printf(ok ? "passed\n" : "failed\n");
        return ok ? 0 : 1;
    }
    const ClassRun small = measureClass(100);
    const ClassRun large = measureClass(1000);
    bool ok = true;
    const double ratio = large.review.seconds / large.wc.seconds;
    if (ratio > 4) {
        std::printf("FAIL: stepwise-review takes %.1f times as long as wc -l (at most 4)\n", ratio);
        ok = false;
    }
    // Ten times the files may cost a few of the largest files more memory, and the little kept
    // for each file for the whole class (its path; its student's overview figures, twelve
    // questions for the overview and again for the assignment: at most 3 KB), not its text.
    const long margin = static_cast<long>(4 * large.largestKilobytes) + 3 * (large.files - small.files);
    if (large.review.peakKilobytes > small.review.peakKilobytes + margin) {
        std::printf("FAIL: peak memory grows with the class: %ld KB for 100 files, %ld KB for 1000\n",
                    small.review.peakKilobytes, large.review.peakKilobytes);
        ok = false;
    }
    std::printf(ok ? "passed\n" : "failed\n");
    return ok ? 0 : 1;
}

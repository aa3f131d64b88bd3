// The notes viewer on large notes files, in the real Win32 window (under Windows or Wine).
//
// Clicks "display notes" on notes files of 1 and 3 MB of every kind (notes_files.h: worded notes
// records, and notes with no space at all), which the viewer runs together into one paragraph of
// the display box, three times each, and prints the median time of a click, the box painted after
// it. Then the checks: at 3 MB every kind without spaces shows within 2 times the time of the
// worded notes, and every kind's time grows no faster than its size (3 MB within 5 times the 1 MB
// time). The checks use the thread's CPU time, since the machine may be shared; wall-clock times
// are printed beside them. The program exits with status 1 when a check does not hold.
//
// Google Benchmark is not built for Windows here, so the program times the clicks itself.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

#include "app/main_form.h"
#include "notes_files.h"
#include "frontends/win32/win32_platform.h"
#include "support/temp_dir.h"

namespace stepwise::bench {
namespace {

using enum ControlId;

constexpr int sizesInMegabytes[] = {1, 3};
constexpr int runsEach = 3;

struct Times {
    double cpu = 0;
    double wall = 0;
};

double threadCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& time) {
        return double((ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

double wallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A shown window with a form whose notes file has the given kind and size.
class NotesSession {
public:
    NotesSession(int kind, std::size_t size) : platform_(temp_.path()), form_(platform_) {
        platform_.connect(form_);
        std::filesystem::create_directories(temp_.path() / "qwelrand");
        std::ofstream(temp_.path() / "qwelrand" / "notes_Ann_Lee.txt", std::ios::binary) << notesFile(kind, size);
        form_.state().notesFilePath = u"c:\\qwelrand\\notes_Ann_Lee.txt";
        platform_.window().show();
    }

    // One click on an empty display box; false when the box does not show the notes run together.
    bool click(Times& times) {
        platform_.setText(txt_question, u"");
        paint();
        const double cpu = threadCpuSeconds(), wall = wallSeconds();
        form_.click(cmd_display_note_file);
        paint();
        times = {threadCpuSeconds() - cpu, wallSeconds() - wall};
        return !form_.state().workText.empty() && platform_.text(txt_question) == form_.state().workText;
    }

private:
    void paint() { RedrawWindow(platform_.window().hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

    testing::TempDir temp_;
    win32::Win32Platform platform_;
    MainForm form_;
};

// The median times of the kind's clicks; false when a click showed other text.
bool measure(int kind, int megabytes, Times& result) {
    NotesSession session(kind, megabytes * megabyte);
    std::vector<double> cpu, wall;
    for (int run = 0; run < runsEach; ++run) {
        Times times;
        if (!session.click(times)) return false;
        cpu.push_back(times.cpu);
        wall.push_back(times.wall);
    }
    result = {median(cpu), median(wall)};
    return true;
}

int run() {
    constexpr int kinds = int(std::size(notesKindNames));
    std::map<std::pair<int, int>, Times> times;
    bool holds = true;
    // Kinds interleaved within each size, so that they run under the same load of the machine.
    for (int mb : sizesInMegabytes) {
        for (int kind = 0; kind < kinds; ++kind) {
            Times measured;
            if (!measure(kind, mb, measured)) {
                std::printf("%s %d MB: the box shows other text than the notes run together\n", notesKindNames[kind], mb);
                return 1;
            }
            times[{kind, mb}] = measured;
            std::printf("NotesViewer %-8s %d MB: %8.0f ms cpu %8.0f ms wall (median of %d)\n", notesKindNames[kind], mb,
                        1000 * measured.cpu, 1000 * measured.wall, runsEach);
            std::fflush(stdout);
        }
    }
    std::printf("\n%-8s | %-20s | %-20s | %-22s | %s\n", "", "1 MB: ms (cpu, wall)", "3 MB: ms (cpu, wall)",
                "3 MB / worded 3 MB", "3 MB / 1 MB");
    const double worded = times.at({wordedNotesKind, 3}).cpu;
    for (int kind = 0; kind < kinds; ++kind) {
        const Times small = times.at({kind, 1}), large = times.at({kind, 3});
        const double againstWorded = large.cpu / worded, growth = large.cpu / small.cpu;
        const bool fast = againstWorded <= 2.0, linear = growth <= 5.0;
        holds = holds && fast && linear;
        std::printf("%-8s | %8.0f %8.0f    | %8.0f %8.0f    | %5.2fx %-15s | %5.2fx %s\n", notesKindNames[kind],
                    1000 * small.cpu, 1000 * small.wall, 1000 * large.cpu, 1000 * large.wall, againstWorded,
                    fast ? "ok (<= 2x)" : "SLOW (> 2x)", growth, linear ? "ok (<= 5x)" : "NOT LINEAR (> 5x)");
    }
    return holds ? 0 : 1;
}

}  // namespace
}  // namespace stepwise::bench

int main() { return stepwise::bench::run(); }

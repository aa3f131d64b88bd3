// The notes viewer on large notes files, in the real Qt window (offscreen).
//
// NotesViewer/<kind>/<MB> clicks "display notes" on a notes file of that many megabytes and kind
// (notes_files.h), which the viewer shows as one line: its lines run together.
// After the runs the checks are printed: at 3 MB every kind without spaces shows within 2 times
// the time of the worded notes, and every kind's time grows no faster than its size (3 MB within
// 5 times the 1 MB time). The checks use the thread's CPU time, since the machine may be shared;
// wall-clock times are printed beside them. The program fails when a check does not hold.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "viewer_bench_window.h"

namespace stepwise::bench {
namespace {

using enum ControlId;

constexpr int sizesInMegabytes[] = {1, 3};
const Text notesPath = u"c:\\qwelrand\\notes_Ann_Lee.txt";

// A window with a started form whose notes file has the given kind and size. The file is written once.
class NotesSession : public ViewerBenchWindow {
public:
    NotesSession(int kind, int megabytes) {
        form().state().notesFilePath = notesPath;
        const std::size_t size = megabytes * megabyte;
        writeFileAndShow("notes_Ann_Lee.txt", notesFile(kind, size));
    }

    Text shown() { return platform().text(txt_question); }
};

void NotesViewer(benchmark::State& state) {
    NotesSession session(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        state.PauseTiming();
        session.clearDisplayBox();
        state.ResumeTiming();
        session.form().click(cmd_display_note_file);
        QCoreApplication::processEvents();  // the box lays itself out and paints what it shows
    }
    if (session.shown() != session.form().state().workText || session.shown().empty())
        state.SkipWithError("the box shows other text than the notes run together");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * session.fileSize()));
    state.counters["MB"] = double(session.fileSize()) / megabyte;
}

std::string runName(int kind, int mb) { return "NotesViewer/" + std::to_string(kind) + "/" + std::to_string(mb); }

// Prints the time per megabyte and the checks; true when they hold.
bool checksHold(const TimingReporter& reporter) {
    for (int kind = 0; kind < int(std::size(notesKindNames)); ++kind)
        for (int mb : sizesInMegabytes)
            if (!reporter.has(runName(kind, mb))) {
                std::printf("\nThe checks need every kind and size; not checked.\n");
                return !reporter.failed();
            }
    bool holds = !reporter.failed();
    std::printf("\n%-8s | %-25s | %-25s | %-22s | %s\n", "", "1 MB: ms/MB (cpu, wall)", "3 MB: ms/MB (cpu, wall)",
                "3 MB / worded 3 MB", "3 MB / 1 MB");
    const double worded = reporter.at(runName(wordedNotesKind, 3)).cpu;
    for (int kind = 0; kind < int(std::size(notesKindNames)); ++kind) {
        const TimingReporter::Times small = reporter.at(runName(kind, 1)), large = reporter.at(runName(kind, 3));
        const double againstWorded = large.cpu / worded, growth = large.cpu / small.cpu;
        const bool fast = againstWorded <= 2.0, linear = growth <= 5.0;
        holds = holds && fast && linear;
        std::printf("%-8s | %10.1f %10.1f    | %10.1f %10.1f    | %5.2fx %-15s | %5.2fx %s\n", notesKindNames[kind],
                    small.cpuPerMb(), small.wallPerMb(), large.cpuPerMb(), large.wallPerMb(), againstWorded,
                    fast ? "ok (<= 2x)" : "SLOW (> 2x)", growth, linear ? "ok (<= 5x)" : "NOT LINEAR (> 5x)");
    }
    return holds;
}

// Kinds interleaved within each size, so that they run under the same load of the machine.
void registerBenchmarks() {
    for (int mb : sizesInMegabytes)
        for (int kind = 0; kind < int(std::size(notesKindNames)); ++kind)
            benchmark::RegisterBenchmark("NotesViewer", &NotesViewer)
                ->Args({kind, mb})
                ->Iterations(mb >= 3 ? 3 : 5)
                ->Unit(benchmark::kMillisecond);
}

}  // namespace
}  // namespace stepwise::bench

int main(int argc, char* argv[]) {
    return stepwise::bench::runViewerBenchmarks(argc, argv, stepwise::bench::registerBenchmarks,
                                                stepwise::bench::checksHold);
}

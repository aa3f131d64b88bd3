// The SEND viewer on large SEND files, in the real Qt window (offscreen).
//
// SendViewer/<MB> clicks "display SEND file" on a SEND file of that many megabytes;
// ReadAndSetOnce/<MB> reads the same file whole, decodes it and sets the same text into the
// display box in one call, the least any viewer can do; ReadBoxBack/<MB> reads the display box
// back while it shows that file, which each viewer click does before appending. After the runs
// the checks are printed: the viewer's time per megabyte stays flat (50 MB within 6 times the
// 10 MB time) and the viewer stays within 1.5 times the one-read-one-set time at every size.
// The checks use the thread's CPU time, since the machine may be shared; wall-clock times are
// printed beside them. The program fails when a check does not hold.
//
// Every large buffer is taken fresh from the system, as on the first click of a session. By
// default glibc keeps freed blocks of up to 32 MB for reuse, and whether it does depends on the
// order of frees: the 10 MB runs would then pay fewer page faults per megabyte than the 50 MB
// runs, and the viewer and its yardstick different numbers of them, for no reason of their own.
#include <benchmark/benchmark.h>

#include <QPlainTextEdit>
#include <cstdio>
#include <fstream>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <sstream>

#include "format/record_pieces.h"
#include "viewer_bench_window.h"

namespace stepwise::bench {
namespace {

using enum ControlId;

constexpr int sizesInMegabytes[] = {1, 10, 50};
const Text sendPath = u"c:\\qwelrand\\send_1207Ann_Lee.txt";

// Blocks as the script holds them: question texts, some with line breaks inside, some with
// characters beyond ASCII and character references the records wrote for characters the code
// page lacks.
const Text blocks[] = {
    u"`q003.If you make $60,000 per year then how much do you make per month?",
    u"`q004.A car travels 120 miles in 3 hours.  What is its average rate of travel?\r\n"
    u"Give your answer in miles per hour and in kilometers per hour.",
    u"`q005.The temperature rises from 12\u00B0 to 30\u00B0 in 6 hours.  What is the average rate of "
    u"change of temperature with respect to clock time, and what does the \u201Crate\u201D mean here?",
    u"`q006.If the depth of water changes by &#916;y = 4 cm while the clock time changes by &#916;t = 2 s, "
    u"what is the average rate of depth change?\r\n\r\nSketch a graph.",
};

// Responses as students type them: one to several lines.
const Text responses[] = {
    u"5000 dollars",
    u"120 miles / 3 hours = 40 miles per hour.\r\nThat is about 64 km/h.\r\n"
    u"I wasn\u2019t sure about the conversion factor at first.",
    u"(30\u00B0 - 12\u00B0) / 6 hours = 3\u00B0 per hour.\r\n"
    u"The rate means how fast the temperature changes \u2014 degrees for every hour of clock time.\r\n"
    u"\r\nSelf-critique: I forgot the units the first time; the given solution made it clear.\r\n"
    u"Question for the instructor: is a rate always a change divided by a change?",
    u"ave rate = &#916;y / &#916;t = 4 cm / 2 s = 2 cm/s\r\nmy graph is a straight line through (0,0) and (2,4)",
};

Text timeStampLine() { return Text(timeStampIndent) + u"14:05:09"; }

// The records the program appends to a SEND file, built from the same pieces.
class SendFileBuilder {
public:
    explicit SendFileBuilder(MainForm& form) : form_(form) {}

    std::string build(std::size_t size) {
        std::string bytes;
        bytes.reserve(size + megabyte);
        for (int record = 0; bytes.size() < size; ++record) {
            if (record % 200 == 0) appendHeader(bytes);
            if (record % 7 == 6)
                appendNotesRecord(bytes, record);
            else
                appendResponseRecord(bytes, record);
        }
        return bytes;
    }

private:
    static void line(std::string& bytes, const Text& text, bool lineEnd = true) {
        appendRecordLine(bytes, text, lineEnd);
    }

    // Every session of the day opens with a lesson header; its code line holds bytes 128 to 255.
    void appendHeader(std::string& bytes) {
        line(bytes, form_.makeCodeLine(23));
        for (const char16_t* text : {u"assignment #001", u"001.  Rates", u"ovla set", u"12-07-2026"}) line(bytes, text);
    }

    void appendResponseRecord(std::string& bytes, int record) {
        line(bytes, separatorLine);
        line(bytes, timeStampLine());
        line(bytes, blocks[record % std::size(blocks)]);
        line(bytes, separatorLine);
        line(bytes, responseLabel);
        line(bytes, responses[record % std::size(responses)]);
        line(bytes, Text(confidenceLabel) + u"3");
        line(bytes, closingLine);
    }

    // The closing line of a notes record has no line end: the next record continues its line.
    void appendNotesRecord(std::string& bytes, int record) {
        line(bytes, separatorLine);
        line(bytes, timeStampLine());
        line(bytes, Text(timeStampIndent) + u"12-07-2026" + u"14:05:09");
        line(bytes, blocks[record % std::size(blocks)]);
        line(bytes, separatorLine);
        line(bytes, Text(notesLabel) + responses[record % std::size(responses)]);
        line(bytes, closingLine, false);
    }

    MainForm& form_;
};

// A window with a started form whose SEND file has the given size. The file is written once.
class ViewerSession : public ViewerBenchWindow {
public:
    explicit ViewerSession(int megabytes) {
        platform().seedRandom(1);
        form().state().sendFilePath = sendPath;
        writeFileAndShow(sendFileName, SendFileBuilder(form()).build(megabytes * megabyte));
        // One untimed click first: the fonts for the file's characters load on the first showing.
        form().click(ControlId::cmd_displayCumulativeText);
        QCoreApplication::processEvents();
        clearDisplayBox();
    }

    std::filesystem::path file() const { return folder() / sendFileName; }

    // The file read whole and decoded as the viewer must show it in an empty box: each line after
    // CR LF, the final line end dropped (the file holds no lone CR).
    Text wholeFileAsShown() const {
        std::string bytes = readWhole();
        if (bytes.ends_with("\r\n")) bytes.resize(bytes.size() - 2);
        return CRLF + decodeCp1252(bytes);
    }

    std::string readWhole() const {
        std::ifstream in(file(), std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return std::move(content).str();
    }

private:
    static constexpr const char* sendFileName = "send_1207Ann_Lee.txt";
};

void reportSize(benchmark::State& state, const ViewerSession& session) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * session.fileSize()));
    state.counters["MB"] = double(session.fileSize()) / megabyte;
}

void SendViewer(benchmark::State& state) {
    ViewerSession session(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        session.clearDisplayBox();
        state.ResumeTiming();
        session.form().click(cmd_displayCumulativeText);
        QCoreApplication::processEvents();  // the box lays itself out and paints what it shows
    }
    if (session.platform().text(txt_question) != session.wholeFileAsShown()) state.SkipWithError("the box shows other text");
    reportSize(state, session);
}

void ReadAndSetOnce(benchmark::State& state) {
    ViewerSession session(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        session.clearDisplayBox();
        state.ResumeTiming();
        session.platform().setText(txt_question, session.wholeFileAsShown());
        QCoreApplication::processEvents();
    }
    reportSize(state, session);
}

void ReadBoxBack(benchmark::State& state) {
    ViewerSession session(static_cast<int>(state.range(0)));
    session.clearDisplayBox();
    session.form().click(cmd_displayCumulativeText);
    std::size_t shown = 0;
    for (auto _ : state) shown = session.platform().text(txt_question).size();
    if (shown == 0) state.SkipWithError("the box is empty");
    reportSize(state, session);
}

TimingReporter::Times timesOf(const TimingReporter& reporter, const std::string& function, int mb) {
    return reporter.at(function + "/" + std::to_string(mb));
}

// Prints the time per megabyte and the checks; true when they hold.
bool checksHold(const TimingReporter& reporter) {
    if (!reporter.has("SendViewer/10") || !reporter.has("SendViewer/50")) {
        std::printf("\nThe checks need every size of SendViewer and ReadAndSetOnce; not checked.\n");
        return !reporter.failed();
    }
    bool holds = !reporter.failed();
    std::printf("\n%-6s | %-27s | %-27s | %-15s | %s\n", "", "viewer ms/MB (cpu, wall)", "read+set once ms/MB",
                "viewer / once", "box read back ms/MB");
    for (int mb : sizesInMegabytes) {
        const TimingReporter::Times viewer = timesOf(reporter, "SendViewer", mb),
                                    once = timesOf(reporter, "ReadAndSetOnce", mb),
                                    back = timesOf(reporter, "ReadBoxBack", mb);
        const bool close = viewer.cpu <= 1.5 * once.cpu;
        holds = holds && close;
        std::printf("%3d MB | %12.1f %12.1f  | %12.1f %12.1f  | %5.2fx %-8s | %8.1f\n", mb, viewer.cpuPerMb(),
                    viewer.wallPerMb(), once.cpuPerMb(), once.wallPerMb(), viewer.cpu / once.cpu, close ? "ok" : "> 1.5x",
                    back.cpuPerMb());
    }
    const auto growthOf = [&](const std::string& function) {
        return timesOf(reporter, function, 50).cpu / timesOf(reporter, function, 10).cpu;
    };
    const double growth = growthOf("SendViewer");
    const bool flat = growth <= 6.0;
    std::printf("50 MB / 10 MB: viewer %.2fx %s; read+set once %.2fx; box read back %.2fx\n", growth,
                flat ? "ok (<= 6x)" : "NOT FLAT (> 6x)", growthOf("ReadAndSetOnce"), growthOf("ReadBoxBack"));
    return holds && flat;
}

// Sizes interleaved, so that the viewer and its yardstick run under the same load of the machine.
void registerBenchmarks() {
    using Function = void (*)(benchmark::State&);
    const std::pair<const char*, Function> benchmarks[] = {
        {"SendViewer", &SendViewer}, {"ReadAndSetOnce", &ReadAndSetOnce}, {"ReadBoxBack", &ReadBoxBack}};
    for (int mb : sizesInMegabytes)
        for (auto [name, function] : benchmarks)
            benchmark::RegisterBenchmark(name, function)
                ->Arg(mb)
                ->Iterations(mb >= 50 ? 3 : mb >= 10 ? 5 : 20)
                ->Unit(benchmark::kMillisecond);
}

}  // namespace
}  // namespace stepwise::bench

int main(int argc, char* argv[]) {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);  // glibc's initial threshold, kept fixed
#endif
    return stepwise::bench::runViewerBenchmarks(argc, argv, stepwise::bench::registerBenchmarks,
                                                stepwise::bench::checksHold);
}

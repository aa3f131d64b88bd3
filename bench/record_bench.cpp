// The time from a click on "Enter Response" to the record being on disk (written whole and
// flushed to stable storage, through the rollback journal and the group's lock), beside the time
// the same bytes take when each file is only written and flushed, with no journal and no lock, and
// with plain appends that are not flushed. Each figure is the median over the records of a run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <vector>

#include "app/main_form.h"
#include "system/append_file.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace stepwise::testing {
namespace {

using Clock = std::chrono::steady_clock;

// A started lesson with question 3 on show; every rating prompt is answered "3".
struct StartedLesson {
    TempDir temp;
    FakePlatform platform{temp.path()};
    MainForm form{platform};

    StartedLesson() {
        platform.answers = {u"Ann Lee", u""};
        form.load();
        form.state().currentLine = u"`q003.If you make $60,000 per year then how much do you make per month?";
        form.state().blockKind = u"question";
        form.state().questionNumber = u"3";
        platform.onPrompt = [](const Text&) { return Text(u"3"); };
    }
    std::filesystem::path master() const { return temp.path() / "qwelrand" / "masterFile_Ann_Lee.txt"; }
    std::filesystem::path send() const { return temp.path() / "qwelrand" / "send_1207Ann_Lee.txt"; }

    void enterResponse() {
        platform.boxes[ControlId::txt_answer] = u"5000 dollars";
        form.click(ControlId::cmd_enter_response);
    }
};

// Times each pass of `record` on its own and reports the median and the 90th percentile.
template <typename Record>
void timeRecords(benchmark::State& state, Record record) {
    std::vector<double> seconds;
    for (auto _ : state) {
        const auto start = Clock::now();
        record();
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(elapsed);
        seconds.push_back(elapsed);
    }
    std::sort(seconds.begin(), seconds.end());
    state.counters["median_us"] = seconds[seconds.size() / 2] * 1e6;
    state.counters["p90_us"] = seconds[seconds.size() * 9 / 10] * 1e6;
}

void BM_EnterResponseToDisk(benchmark::State& state) {
    StartedLesson lesson;
    timeRecords(state, [&] { lesson.enterResponse(); });
    if (!lesson.platform.messages.empty()) state.SkipWithError("a record was not written");
}

// The bytes of one record as the program writes them, taken from a record it really wrote.
std::string recordBytes(const std::filesystem::path& file, std::size_t sizeBefore) {
    return readBytes(file).substr(sizeBefore);
}

// The bytes of one record for the master file and for the SEND file.
std::pair<std::string, std::string> oneRecord(StartedLesson& lesson) {
    const std::size_t masterBefore = readBytes(lesson.master()).size();
    const std::size_t sendBefore = readBytes(lesson.send()).size();
    lesson.enterResponse();
    return {recordBytes(lesson.master(), masterBefore), recordBytes(lesson.send(), sendBefore)};
}

void BM_SameBytesFlushedWithoutJournal(benchmark::State& state) {
    StartedLesson lesson;
    const auto [masterRecord, sendRecord] = oneRecord(lesson);
    timeRecords(state, [&] {
        for (const auto& [path, bytes] : {std::pair{lesson.master(), &masterRecord}, std::pair{lesson.send(), &sendRecord}}) {
            AppendFile file;
            std::size_t written = 0;
            if (file.open(path) || file.append(*bytes, written) || file.syncToDisk())
                state.SkipWithError("a file could not be written");
        }
    });
}

void BM_SameBytesPlainAppendNoFlush(benchmark::State& state) {
    StartedLesson lesson;
    const auto [masterRecord, sendRecord] = oneRecord(lesson);

    timeRecords(state, [&] {
        std::ofstream master(lesson.master(), std::ios::binary | std::ios::app);
        master.write(masterRecord.data(), static_cast<std::streamsize>(masterRecord.size()));
        std::ofstream send(lesson.send(), std::ios::binary | std::ios::app);
        send.write(sendRecord.data(), static_cast<std::streamsize>(sendRecord.size()));
    });
}

BENCHMARK(BM_EnterResponseToDisk)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500)->Repetitions(3);
BENCHMARK(BM_SameBytesFlushedWithoutJournal)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500)->Repetitions(3);
BENCHMARK(BM_SameBytesPlainAppendNoFlush)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(500)->Repetitions(3);

}  // namespace
}  // namespace stepwise::testing

BENCHMARK_MAIN();

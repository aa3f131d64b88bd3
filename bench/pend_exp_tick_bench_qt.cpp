// The cost of one "pend exp" tick in the Qt window, offscreen: the beep, the random draw, the
// circle on Picture1's kept surface and the repaint of the box. Picture1 keeps one image of what
// was drawn, so a tick after 100,000 circles must cost about as much as the first one; the
// program reports the ratio and fails when it reaches 1.2.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <iostream>
#include <map>

#include "app/main_form.h"
#include "frontends/qt/picture_box.h"
#include "frontends/qt/qt_platform.h"
#include "support/temp_dir.h"

namespace stepwise {
namespace {

constexpr int manyCircles = 100000;
constexpr double ratioLimit = 1.2;

// The window shown with the picture scale start-up sets; the lesson itself is not started, as a
// tick touches nothing else.
struct PanelWindow {
    PanelWindow() : platform(temp.path()), form(platform) {
        platform.connect(form);
        for (ControlId box : {ControlId::Picture1, ControlId::Picture2}) platform.setUserScale(box, 1000, 1000);
        platform.window().show();
        QCoreApplication::processEvents();
    }
    testing::TempDir temp;
    qt::QtPlatform platform;
    MainForm form;
};

// Each iteration is one tick followed by the box's repaint; range(0) circles are drawn first.
void tickAndRepaint(benchmark::State& state) {
    PanelWindow panel;
    qt::PictureBox& picture1 = *panel.platform.pictureBox(ControlId::Picture1);
    for (int i = 0; i < state.range(0); ++i) panel.form.tick(ControlId::tmr_pend_exp);
    picture1.repaint();
    for (auto _ : state) {
        panel.form.tick(ControlId::tmr_pend_exp);
        picture1.repaint();
    }
    state.counters["circles"] = picture1.circleCount();
}
// A fixed iteration count runs each case once, so the 100,000 circles are drawn only once.
BENCHMARK(tickAndRepaint)->Arg(0)->Arg(manyCircles)->Iterations(5000)->Unit(benchmark::kMicrosecond);

// The console report, followed by the ratio of the tick after many circles to the first tick, in
// processor time: the machine may be shared, and a tick does all its work on this thread.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (!run.error_occurred) timeByArg_[run.run_name.args] = run.GetAdjustedCPUTime();
    }
    // Prints the ratio; 0 when it is within the limit or could not be formed.
    int reportRatio() const {
        const auto blank = timeByArg_.find("0");
        const auto full = timeByArg_.find(std::to_string(manyCircles));
        if (blank == timeByArg_.end() || full == timeByArg_.end()) return 0;
        const double ratio = full->second / blank->second;
        std::cout << "tick after " << manyCircles << " circles / first tick: " << ratio << " (limit " << ratioLimit
                  << ")\n";
        return ratio < ratioLimit ? 0 : 1;
    }

private:
    std::map<std::string, double> timeByArg_;
};

}  // namespace
}  // namespace stepwise

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    stepwise::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.reportRatio();
}

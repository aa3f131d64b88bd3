#pragma once
// A console reporter that also keeps each benchmark run's times per iteration, by the run's name
// ("SendViewer/10", "NotesViewer/0/3"), for the checks a benchmark program prints after its runs.
#include <benchmark/benchmark.h>

#include <limits>
#include <map>
#include <string>
#include <vector>

namespace stepwise::bench {

class TimingReporter : public benchmark::ConsoleReporter {
public:
    struct Times {
        double cpu = std::numeric_limits<double>::quiet_NaN();
        double wall = std::numeric_limits<double>::quiet_NaN();
        double megabytes = 1;  // the run's "MB" counter

        double cpuPerMb() const { return 1000 * cpu / megabytes; }
        double wallPerMb() const { return 1000 * wall / megabytes; }
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) failed_ = true;
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            const double iterations = double(run.iterations);
            const auto megabytes = run.counters.find("MB");
            times_[run.run_name.function_name + "/" + run.run_name.args] = {
                run.cpu_accumulated_time / iterations, run.real_accumulated_time / iterations,
                megabytes == run.counters.end() ? 1.0 : megabytes->second.value};
        }
    }

    // Whether a run failed with an error.
    bool failed() const { return failed_; }
    bool has(const std::string& name) const { return times_.count(name) != 0; }
    // The run's times; not-a-number when there was no such run.
    Times at(const std::string& name) const { return has(name) ? times_.at(name) : Times{}; }

private:
    std::map<std::string, Times> times_;
    bool failed_ = false;
};

}  // namespace stepwise::bench

// A console reporter that also keeps what each benchmark measured, so a
// benchmark program can print the ratio it is judged by after the run. With
// repetitions it keeps each benchmark's best run: on a shared machine the
// slower runs measure the neighbours.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kelto::bench {

class MeasuredReporter : public benchmark::ConsoleReporter {
public:
    enum class Clock { Real, Cpu };
    explicit MeasuredReporter(Clock clock = Clock::Real) : clock_(clock) {}

    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            const std::string name = run.benchmark_name();
            const double adjusted =
                clock_ == Clock::Cpu ? run.GetAdjustedCPUTime() : run.GetAdjustedRealTime();
            const double seconds = adjusted / benchmark::GetTimeUnitMultiplier(run.time_unit);
            const auto kept = times_.find(name);
            if (kept != times_.end() && kept->second <= seconds) continue;
            times_[name] = seconds;
            for (const auto &[counter, value] : run.counters)
                counters_[name][counter] = value.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Seconds per iteration of a benchmark, if it ran.
    std::optional<double> time(const std::string &name) const {
        const auto it = times_.find(name);
        return it == times_.end() ? std::nullopt : std::optional<double>(it->second);
    }

    // The values of one counter, by benchmark name.
    std::map<std::string, double> counter(const std::string &counter_name) const {
        std::map<std::string, double> values;
        for (const auto &[name, counters] : counters_)
            if (const auto it = counters.find(counter_name); it != counters.end())
                values[name] = it->second;
        return values;
    }

    // Prints "<label>: <time(name) / time(base)><note>", or says it was not measured.
    void print_ratio(const char *label, const std::string &name, const std::string &base,
                     const char *note = "") const {
        const auto numerator = time(name), denominator = time(base);
        if (!numerator || !denominator || *denominator <= 0) {
            std::printf("%s: not measured (run both %s and %s)\n", label, name.c_str(),
                        base.c_str());
            return;
        }
        std::printf("%s: %.2f%s\n", label, *numerator / *denominator, note);
    }

private:
    Clock clock_;
    std::map<std::string, double> times_;
    std::map<std::string, std::map<std::string, double>> counters_;
};

// Runs the benchmarks named on the command line with `reporter`; false on bad arguments.
inline bool run_benchmarks(int argc, char **argv, MeasuredReporter &reporter) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return false;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return true;
}

}  // namespace kelto::bench

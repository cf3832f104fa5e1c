#pragma once
// Prints, after Google Benchmark's own table, how the benchmarks of one run compare: each
// ratio is measured side by side on the same machine in the same run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kelmora::bench {

struct Ratio {
    std::string subject;   // benchmark name
    std::string reference; // benchmark name
    std::string target;    // what the ratio should be, in words
};

class TRatioReporter : public benchmark::ConsoleReporter {
public:
    explicit TRatioReporter(std::vector<Ratio> ratios) : ratios_(std::move(ratios)) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                seconds_[run.run_name.function_name] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nRatios (real time, same run):\n");
        for (const Ratio& ratio : ratios_) {
            const auto subject = seconds_.find(ratio.subject);
            const auto reference = seconds_.find(ratio.reference);
            if (subject == seconds_.end() || reference == seconds_.end() || reference->second <= 0)
                continue;
            const double value = subject->second / reference->second;
            std::printf("  %-28s / %-28s = %9.3f   (target: %s)\n", ratio.subject.c_str(), ratio.reference.c_str(),
                        value, ratio.target.c_str());
        }
    }

private:
    std::vector<Ratio> ratios_;
    std::map<std::string, double> seconds_;
};

// Runs the registered benchmarks with the ratio report; returns the process exit code.
inline int RunWithRatios(int argc, char** argv, std::vector<Ratio> ratios)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TRatioReporter reporter(std::move(ratios));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace kelmora::bench

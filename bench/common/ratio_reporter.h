#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace tessaly::bench {

// Prints the runs as the console reporter does and keeps each benchmark's
// "ratio" counter (the median with repetitions), so that the program can
// print the ratios against their goals at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto found = run.counters.find("ratio");
            if (!run.error_occurred && found != run.counters.end()
                && (run.run_type == Run::RT_Iteration || run.aggregate_name == "median"))
                m_ratios[run.run_name.function_name] = found->second.value;
        }
    }

    // The ratio of a benchmark (its function's name); -1 when it did not run.
    double ratio(const std::string& benchmark) const
    {
        const auto found = m_ratios.find(benchmark);
        return found == m_ratios.end() ? -1 : found->second;
    }

private:
    std::map<std::string, double> m_ratios;
};

} // namespace tessaly::bench

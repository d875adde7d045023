// The messages of a large real check, in the plain model a messages view
// shows: filtering by severity, and following the report as it streams in.
//
// The lines are the message lines of checker_output.txt.gz (see
// report_bench.cpp), repeated up to 10,000 messages.
//
// Prints, from the medians of repeated runs:
// - one severity toggle over 10,000 messages (its rows rebuilt), in ms
//   (goal: at most 50), and as a ratio against picking the same messages
//   into a vector alone;
// - the longest batch of the model following the report in batches of 200
//   lines, each batch taking back the line before it, in ms (goal: well
//   under the view's 50 ms stall), and the whole follow as a ratio against
//   parsing the lines alone.
#include "common/ratio_reporter.h"
#include "report/message_list.h"
#include "report/message_table.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace tessaly::report;

namespace {

constexpr std::size_t messageCount = 10'000;

std::vector<std::string> messageLines()
{
    std::vector<std::string> found;
    gzFile file = gzopen(TESSALY_CHECKER_OUTPUT, "rb");
    char buffer[64 * 1024];
    while (file && gzgets(file, buffer, sizeof buffer)) {
        std::string line(buffer);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (parseReportMessage(line))
            found.push_back(line);
    }
    if (file)
        gzclose(file);
    std::vector<std::string> lines;
    for (std::size_t i = 0; !found.empty() && lines.size() < messageCount; ++i)
        lines.push_back(found[i % found.size()]);
    return lines;
}

const std::vector<std::string>& lines()
{
    static const std::vector<std::string> lines = messageLines();
    return lines;
}

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void FilterBySeverity(benchmark::State& state)
{
    MessageList list;
    list.follow(lines(), 0);
    MessageTable table(list);
    table.messagesChanged(0);
    table.setSort(MessageColumn::File);
    double toggle = 0;
    double pick = 0;
    bool shown = true;
    for (auto _ : state) {
        shown = !shown;
        auto start = std::chrono::steady_clock::now();
        table.setShown(Severity::Error, shown);
        benchmark::DoNotOptimize(table.rows().data());
        toggle += millisecondsSince(start);

        start = std::chrono::steady_clock::now();
        std::vector<std::size_t> picked;
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (shown || list[i].severity != Severity::Error)
                picked.push_back(i);
        }
        benchmark::DoNotOptimize(picked.data());
        pick += millisecondsSince(start);
    }
    state.counters["messages"] = double(list.size());
    state.counters["toggle_ms"] = toggle / double(state.iterations());
    state.counters["ratio"] = toggle / pick;
}
BENCHMARK(FilterBySeverity)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

double longestBatch = 0;

void FollowInBatches(benchmark::State& state)
{
    constexpr std::size_t batch = 200;
    double follow = 0;
    double parse = 0;
    for (auto _ : state) {
        MessageList list;
        MessageTable table(list);
        table.setGrouping(MessageGrouping::File);
        table.setSort(MessageColumn::Position);
        std::vector<std::string> report;
        const auto start = std::chrono::steady_clock::now();
        for (std::size_t at = 0; at < lines().size(); at += batch) {
            const auto batchStart = std::chrono::steady_clock::now();
            const std::size_t kept = report.empty() ? 0 : report.size() - 1;
            report.insert(report.end(), lines().begin() + std::ptrdiff_t(at),
                lines().begin() + std::ptrdiff_t(std::min(at + batch, lines().size())));
            table.messagesChanged(list.follow(report, kept));
            longestBatch = std::max(longestBatch, millisecondsSince(batchStart));
        }
        follow += millisecondsSince(start);

        const auto parseStart = std::chrono::steady_clock::now();
        for (const std::string& line : lines())
            benchmark::DoNotOptimize(parseReportMessage(line));
        parse += millisecondsSince(parseStart);
    }
    state.counters["longest_batch_ms"] = longestBatch;
    state.counters["ratio"] = follow / parse;
}
BENCHMARK(FollowInBatches)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    std::printf("%zu message lines\n", lines().size());
    tessaly::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (const double ratio = reporter.ratio("FilterBySeverity"); ratio >= 0)
        std::printf("severity toggle over %zu messages / picking them alone: %.1f\n", messageCount, ratio);
    if (const double ratio = reporter.ratio("FollowInBatches"); ratio >= 0) {
        std::printf("following the report in batches / parsing alone: %.2f\n", ratio);
        std::printf("longest batch of 200 lines: %.2f ms (goal: well under 50)\n", longestBatch);
    }
    return 0;
}

// The messages page with the message lines of a large real check (see
// bench/report/report_bench.cpp for checker_output.txt.gz), against plain
// Qt views of the same rows, side by side in one run.
//
// Prints, from the medians of repeated runs:
// - showing 3,500 messages (the report's lines taken in, the page drawn)
//   against a QTreeView over a QStandardItemModel holding the same rows
//   (built from the parsed messages, then drawn) (goal: at most 1.2);
// - one severity toggle over 10,000 messages, the list drawn again, in ms
//   (goal: at most 50);
// - the longest time the event loop did not get round while a report of
//   10,000 messages streamed in, 50 lines every 2 ms, into the report's
//   text and its messages page (goal: at most 50 ms);
// - from choosing a message on the last line of a 5 MB XHTML file to its
//   lines drawn, the book opened and the file inflated anew each time, in
//   ms (goal: at most 100) and against inflating the file alone with
//   libzip (goal: at most 3).
#include "app/message_list_view.h"
#include "app/messages_view.h"
#include "app/report_pages.h"
#include "app/report_text_view.h"
#include "app/report_view_feed.h"
#include "app/source_pane.h"
#include "common/ratio_reporter.h"
#include "report/report.h"
#include "zip_builder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <benchmark/benchmark.h>
#include <zip.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>

using namespace tessaly;

namespace {

const QSize pageSize(565, 264);

std::vector<std::string> messageLines(std::size_t count)
{
    std::vector<std::string> found;
    gzFile file = gzopen(TESSALY_CHECKER_OUTPUT, "rb");
    char buffer[64 * 1024];
    while (file && gzgets(file, buffer, sizeof buffer)) {
        std::string line(buffer);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (report::parseReportMessage(line))
            found.push_back(line);
    }
    if (file)
        gzclose(file);
    std::vector<std::string> lines;
    for (std::size_t i = 0; !found.empty() && lines.size() < count; ++i)
        lines.push_back(found[i % found.size()]);
    return lines;
}

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Draws the widget as the screen would get it.
void draw(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    widget.render(&image);
    benchmark::DoNotOptimize(image.bits());
}

QString positionText(const report::ReportMessage& m)
{
    return m.line ? QStringLiteral("%1:%2").arg(*m.line).arg(m.column.value_or(0)) : QString();
}

void ShowMessages(benchmark::State& state)
{
    const std::vector<std::string> lines = messageLines(3500);
    std::vector<report::ReportMessage> parsed;
    for (const std::string& line : lines)
        parsed.push_back(*report::parseReportMessage(line));
    double ours = 0, theirs = 0;
    for (auto _ : state) {
        {
            report::Report report;
            app::MessagesView view(report);
            view.resize(pageSize);
            view.show();
            const auto start = std::chrono::steady_clock::now();
            for (const std::string& line : lines)
                report.appendLine(line);
            view.flush();
            draw(view);
            ours += millisecondsSince(start);
        }
        {
            QTreeView tree;
            tree.resize(pageSize);
            tree.show();
            const auto start = std::chrono::steady_clock::now();
            QStandardItemModel model(0, 5);
            model.setHorizontalHeaderLabels({"Severity", "Code", "File", "Line:Col", "Text"});
            for (const report::ReportMessage& m : parsed) {
                model.appendRow({new QStandardItem(QString::fromLatin1(report::severityName(m.severity))),
                                 new QStandardItem(QString::fromStdString(m.code)),
                                 new QStandardItem(QString::fromStdString(m.file)), new QStandardItem(positionText(m)),
                                 new QStandardItem(QString::fromStdString(m.text))});
            }
            tree.setModel(&model);
            draw(tree);
            theirs += millisecondsSince(start);
        }
    }
    state.counters["ours_ms"] = ours / double(state.iterations());
    state.counters["tree_ms"] = theirs / double(state.iterations());
    state.counters["ratio"] = ours / theirs;
}
BENCHMARK(ShowMessages)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)->ReportAggregatesOnly(true);

double toggleMilliseconds = 0;

void ToggleSeverity(benchmark::State& state)
{
    report::Report report;
    app::MessagesView view(report);
    view.resize(pageSize);
    view.show();
    for (const std::string& line : messageLines(10000))
        report.appendLine(line);
    view.flush();
    view.setGrouping(report::MessageGrouping::File);
    bool shown = true;
    double toggle = 0, drawOnly = 0;
    for (auto _ : state) {
        shown = !shown;
        auto start = std::chrono::steady_clock::now();
        view.setShown(report::Severity::Error, shown);
        draw(*view.list());
        toggle += millisecondsSince(start);
        start = std::chrono::steady_clock::now();
        draw(*view.list());
        drawOnly += millisecondsSince(start);
    }
    toggleMilliseconds = toggle / double(state.iterations());
    state.counters["toggle_ms"] = toggleMilliseconds;
    state.counters["ratio"] = toggle / drawOnly;
}
BENCHMARK(ToggleSeverity)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(5)->ReportAggregatesOnly(true);

double longestStall = 0;

void StreamIn(benchmark::State& state)
{
    const std::vector<std::string> lines = messageLines(10000);
    for (auto _ : state) {
        report::Report report;
        auto* memo = new app::ReportTextView;
        app::ReportViewFeed feed(report, memo);
        auto* messages = new app::MessagesView(report);
        app::ReportPages pages(memo, messages);
        pages.resize(565, 284);
        pages.showPage(app::ReportPages::MessagesPage);
        pages.show();
        std::size_t at = 0;
        QEventLoop loop;
        QTimer writer;
        writer.setInterval(2);
        QObject::connect(&writer, &QTimer::timeout, [&] {
            for (std::size_t end = std::min(at + 50, lines.size()); at < end; ++at)
                report.appendLine(lines[at]);
            if (at == lines.size()) {
                writer.stop();
                QTimer::singleShot(200, &loop, &QEventLoop::quit);
            }
        });
        // The event loop's rounds: the longest gap between two is the
        // longest stall.
        QElapsedTimer clock;
        clock.start();
        qint64 last = clock.nsecsElapsed();
        double longest = 0;
        QTimer watcher;
        watcher.setInterval(0);
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            longest = std::max(longest, double(now - last) / 1e6);
            last = now;
        });
        writer.start();
        watcher.start();
        loop.exec();
        longestStall = std::max(longestStall, longest);
        state.counters["messages"] = double(messages->messages().size());
        state.counters["stall_ms"] = longest;
    }
}
BENCHMARK(StreamIn)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

double excerptMilliseconds = 0;

void ExcerptOfTheLastLine(benchmark::State& state)
{
    QTemporaryDir folder;
    const std::string book = folder.filePath(QStringLiteral("big.epub")).toStdString();
    std::string xhtml = "<?xml version=\"1.0\"?>\n<html xmlns=\"http://www.w3.org/1999/xhtml\"><body>\n";
    int lineCount = 2;
    while (xhtml.size() < 5u * 1024 * 1024) {
        xhtml += "<p class=\"para\" id=\"p" + std::to_string(lineCount) + "\">The valve turns left, then right, "
                 "and the <em>gauge</em> reads &amp; settles near the mark.</p>\n";
        ++lineCount;
    }
    xhtml += "</body></html>";
    const int lastLine = lineCount;
    testing::writeFile(book, testing::zipArchive({{"mimetype", "application/epub+zip", false},
                                                 {"OEBPS/big.xhtml", xhtml}}));
    report::ReportMessage message;
    message.file = "OEBPS/big.xhtml";
    message.line = lastLine;
    message.column = 3;
    app::SourcePane pane;
    pane.resize(565, 92);
    pane.show();
    double ours = 0, inflate = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        pane.setBook(QString::fromStdString(book)); // a new check: nothing kept
        pane.showMessage(&message);
        draw(pane);
        ours += millisecondsSince(start);
        if (pane.excerpt().lines.empty())
            state.SkipWithError("no excerpt");

        start = std::chrono::steady_clock::now();
        zip_t* archive = zip_open(book.c_str(), ZIP_RDONLY, nullptr);
        zip_file_t* file = zip_fopen(archive, "OEBPS/big.xhtml", 0);
        std::string bytes;
        char buffer[64 * 1024];
        for (zip_int64_t got; (got = zip_fread(file, buffer, sizeof buffer)) > 0;)
            bytes.append(buffer, std::size_t(got));
        zip_fclose(file);
        zip_discard(archive);
        benchmark::DoNotOptimize(bytes.data());
        inflate += millisecondsSince(start);
    }
    excerptMilliseconds = ours / double(state.iterations());
    state.counters["excerpt_ms"] = excerptMilliseconds;
    state.counters["inflate_ms"] = inflate / double(state.iterations());
    state.counters["ratio"] = ours / inflate;
}
BENCHMARK(ExcerptOfTheLastLine)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (const double r = reporter.ratio("ShowMessages"); r >= 0)
        std::printf("showing 3,500 messages / QTreeView over QStandardItemModel: %.2f (goal: at most 1.2)\n", r);
    if (reporter.ratio("ToggleSeverity") >= 0)
        std::printf("severity toggle over 10,000 messages, list drawn: %.1f ms (goal: at most 50)\n", toggleMilliseconds);
    if (longestStall > 0)
        std::printf("longest stall while 10,000 messages stream in: %.1f ms (goal: at most 50)\n", longestStall);
    if (const double r = reporter.ratio("ExcerptOfTheLastLine"); r >= 0)
        std::printf("excerpt of the last line of 5 MB XHTML: %.1f ms (goal: at most 100), / inflating alone: %.2f "
                    "(goal: at most 3)\n", excerptMilliseconds, r);
    return 0;
}

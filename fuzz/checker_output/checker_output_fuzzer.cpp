// Fuzz target over the checker's output: the bytes a child writes, taken
// by the output reader in batches and turned into the report by the report
// filter. Besides not crashing, it checks on every input that
// - the report equals what a plain model of the rules gives: the console
//   rules applied byte by byte give the output's lines, and the filter's
//   rules applied to those lines give the report;
// - the work grows linearly with the input: the text handed on in reports
//   stays within a fixed multiple of the input's size.
//
// The first input byte chooses how many batches (1 to 8) the rest arrives
// in, and where they are cut.
#include "report/report_filter.h"
#include "common/report_model.h"
#include "platform/plain_main_thread.h"
#include "process/create_process.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/require.h"

using tessaly::fuzz::require;

using namespace tessaly;
using fuzz::consoleLines;
using fuzz::Lines;
using fuzz::reportOf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view output(reinterpret_cast<const char*>(data + 1), size - 1);
    const unsigned batches = 1 + data[0] % 8;

    platform::PlainMainThread loop;
    process::CreateProcess process(loop);
    process.setConsoleOptions(process::ConsoleOptions::Redirect | process::ConsoleOptions::OwnerData);
    Lines memo;
    report::ReportFilter filter(memo);
    std::size_t reportedBytes = 0;
    process.setOnRead([&](process::CreateProcess&, const std::string& text, bool startsOnNewLine) {
        reportedBytes += text.size();
        filter.add(text, startsOnNewLine);
    });

    std::size_t begin = 0;
    for (unsigned batch = 1; batch <= batches; ++batch) {
        // Cuts spread by the first byte's upper bits; the last batch takes the rest.
        const std::size_t end = batch == batches ? output.size()
                                                 : std::min(output.size(), begin + (output.size() * (data[0] >> 3) / 31 + batch) / batches);
        process.inputReader().parsePiece(output.substr(begin, end - begin));
        begin = end;
    }

    require(memo.lines == reportOf(consoleLines(output)));
    // A line is at most eight times the bytes written into it (a tab is
    // eight spaces); it is handed on once when it ends and at most once
    // per batch while open.
    require(reportedBytes <= 8 * output.size() * (batches + 1));
    return 0;
}

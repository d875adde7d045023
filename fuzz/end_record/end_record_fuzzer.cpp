// Fuzz target over the warm checker's answers: the output of one check
// (any bytes, however crafted) followed by the host's real end record for
// the program's request, through the reader, the end-record filter and the
// report filter. On every input it checks that
// - exactly one end record is found, the real one, with its exit code: no
//   output is ever taken for it, since the output cannot know the request's
//   token, which is random for every run as in the program;
// - the report equals the plain model of the output alone: nothing of the
//   end record reaches it and nothing of the output is lost.
//
// The first input byte chooses how many batches (1 to 8) the answer arrives
// in, the second the exit code.
#include "report/end_record_filter.h"
#include "report/report_filter.h"
#include "common/report_model.h"
#include "platform/plain_main_thread.h"
#include "process/create_process.h"

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

#include "common/require.h"

using tessaly::fuzz::require;

using namespace tessaly;

namespace {

std::string randomToken()
{
    static std::random_device device;
    static const char digits[] = "0123456789abcdef";
    std::string token;
    for (int i = 0; i < 32; ++i)
        token += digits[device() % 16];
    return token;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const unsigned batches = 1 + data[0] % 8;
    const unsigned exitCode = data[1];
    const std::string output(reinterpret_cast<const char*>(data + 2), size - 2);

    // The answer as the host writes it: the end record always starts a line.
    const std::string token = randomToken();
    const bool added = !output.empty() && output.back() != '\n';
    const std::string answer = output + (added ? "\n" : "") + report::EndRecordFilter::recordStart(token) + "exit "
        + std::to_string(exitCode) + (added ? " 1" : " 0") + " - " + token + "\n";

    platform::PlainMainThread loop;
    process::CreateProcess process(loop);
    process.setConsoleOptions(process::ConsoleOptions::Redirect | process::ConsoleOptions::OwnerData);
    fuzz::Lines memo;
    report::ReportFilter report(memo);
    report::EndRecordFilter records([&](const std::string& text, bool startsOnNewLine) { report.add(text, startsOnNewLine); });
    records.expect(token, true);
    int found = 0;
    process.setOnRead([&](process::CreateProcess&, const std::string& text, bool startsOnNewLine) {
        if (const auto record = records.add(text, startsOnNewLine)) {
            ++found;
            require(record->token == token && !record->failed && record->exitCode == exitCode);
        }
    });

    std::size_t begin = 0;
    for (unsigned batch = 1; batch <= batches; ++batch) {
        const std::size_t end = batch == batches ? answer.size() : std::min(answer.size(), begin + answer.size() / batches);
        process.inputReader().parsePiece(std::string_view(answer).substr(begin, end - begin));
        begin = end;
    }

    require(found == 1);
    require(memo.lines == fuzz::reportOf(fuzz::consoleLines(output)));
    return 0;
}

// Fuzz target over the parser of the checker's message lines. The input is
// a book name, a line feed and the report line (no line feed: no book name).
// Besides not crashing, it checks on every input that a message's parts are
// taken from the line, in order, and that the parts read as they were
// written: the severity's word and the code start the line, the text ends
// it, and positions are 1-based.
#include "report/report_message.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/require.h"

using tessaly::fuzz::require;

using namespace tessaly::report;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view bookName;
    std::string_view line = input;
    if (const std::size_t feed = input.find('\n'); feed != std::string_view::npos) {
        bookName = input.substr(0, feed);
        line = input.substr(feed + 1);
    }
    const auto message = parseReportMessage(line, bookName);
    if (!message)
        return 0;
    require(message->reportLine == line);
    const std::string_view word = severityName(message->severity);
    require(line.starts_with(word));
    if (!message->code.empty())
        require(line.substr(word.size()).starts_with("(" + message->code + "): "));
    require(line.ends_with(message->text));
    require(!message->line || *message->line > 0);
    require(!message->column || *message->column > 0);
    // The location lies between the code and the text.
    const std::size_t textStart = line.size() - message->text.size();
    if (!message->file.empty()) {
        const std::size_t file = line.find(message->file, word.size());
        require(file != std::string_view::npos && file + message->file.size() <= textStart);
    }
    require(message->fragment.empty() || line.substr(0, textStart).find("#" + message->fragment) != std::string_view::npos);
    return 0;
}

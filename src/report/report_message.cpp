#include "report/report_message.h"

#include "report/ascii_text.h"

#include <array>

namespace tessaly::report {

namespace {

constexpr std::array<std::string_view, severityCount> severityNames = {"FATAL", "ERROR", "WARNING", "INFO", "USAGE"};

bool isCodeCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads "-1" or up to nine digits at the front of text; the number of
// characters taken, or 0 when there is no number. Nine digits keep any
// value inside int.
std::size_t readNumber(std::string_view text, int& value)
{
    std::size_t at = text.starts_with('-') ? 1 : 0;
    const std::size_t first = at;
    value = 0;
    while (at < text.size() && at - first < 9 && isDigit(text[at]))
        value = value * 10 + (text[at++] - '0');
    if (at == first || (at < text.size() && isDigit(text[at])))
        return 0;
    if (first == 1)
        value = -value;
    return at;
}

// A position the checker wrote; it writes -1 where it has none.
std::optional<int> position(int value)
{
    return value > 0 ? std::optional<int>(value) : std::nullopt;
}

struct Position {
    std::size_t start = std::string_view::npos; // of "("
    std::size_t end = 0;                         // after "): "
    int line = -1;
    int column = -1;
};

// Whether "(line,column): " starts at text[at].
bool readPosition(std::string_view text, std::size_t at, Position& found)
{
    if (text[at] != '(')
        return false;
    std::size_t next = at + 1;
    const std::size_t lineLength = readNumber(text.substr(next), found.line);
    if (lineLength == 0 || text.substr(next + lineLength, 1) != ",")
        return false;
    next += lineLength + 1;
    const std::size_t columnLength = readNumber(text.substr(next), found.column);
    if (columnLength == 0 || text.substr(next + columnLength, 3) != "): ")
        return false;
    found.start = at;
    found.end = next + columnLength + 3;
    return true;
}

// The first "(line,column): " in text.
Position findPosition(std::string_view text)
{
    Position found;
    for (std::size_t at = text.find('('); at != std::string_view::npos; at = text.find('(', at + 1)) {
        if (readPosition(text, at, found))
            return found;
    }
    return {};
}

bool endsPathPart(std::string_view location, std::size_t at)
{
    return at == location.size() || location[at] == '/';
}

// Where the book's path ends in the location: after the first whole path
// part equal to bookName, else after the first part ending in ".epub" (in
// any case); npos when neither is there.
std::size_t bookPathEnd(std::string_view location, std::string_view bookName)
{
    if (!bookName.empty()) {
        for (std::size_t at = location.find(bookName); at != std::string_view::npos; at = location.find(bookName, at + 1)) {
            const std::size_t end = at + bookName.size();
            if ((at == 0 || location[at - 1] == '/') && endsPathPart(location, end))
                return end;
        }
    }
    constexpr std::string_view extension = ".epub";
    for (std::size_t at = findFolded(location, extension); at != std::string_view::npos;
         at = findFolded(location, extension, at + 1)) {
        if (endsPathPart(location, at + extension.size()))
            return at + extension.size();
    }
    return std::string_view::npos;
}

void splitLocation(std::string_view location, std::string_view bookName, ReportMessage& message)
{
    const std::size_t bookEnd = bookPathEnd(location, bookName);
    if (bookEnd == std::string_view::npos || bookEnd == location.size())
        return;
    std::string_view inside = location.substr(bookEnd + 1);
    if (const std::size_t hash = inside.find('#'); hash != std::string_view::npos) {
        message.fragment = inside.substr(hash + 1);
        inside = inside.substr(0, hash);
    }
    message.file = inside;
}

} // namespace

std::string_view severityName(Severity severity)
{
    return severityNames[std::size_t(severity)];
}

std::optional<Severity> severityFromName(std::string_view name)
{
    for (std::size_t i = 0; i < severityNames.size(); ++i) {
        if (severityNames[i] == name)
            return Severity(i);
    }
    return std::nullopt;
}

std::optional<ReportMessage> parseReportMessage(std::string_view line, std::string_view bookName)
{
    // "SEVERITY(CODE): " or "SEVERITY: "
    const std::size_t wordEnd = line.find_first_of("(:");
    if (wordEnd == std::string_view::npos)
        return std::nullopt;
    const auto severity = severityFromName(line.substr(0, wordEnd));
    if (!severity)
        return std::nullopt;
    std::size_t at = wordEnd;
    std::string_view code;
    if (line[at] == '(') {
        const std::size_t codeEnd = line.find(')', at);
        if (codeEnd == std::string_view::npos || codeEnd == at + 1)
            return std::nullopt;
        code = line.substr(at + 1, codeEnd - at - 1);
        for (const char c : code) {
            if (!isCodeCharacter(c))
                return std::nullopt;
        }
        at = codeEnd + 1;
    }
    if (line.substr(at, 2) != ": ")
        return std::nullopt;
    const std::string_view rest = line.substr(at + 2);

    ReportMessage message;
    message.severity = *severity;
    message.code = code;
    message.reportLine = line;
    const Position found = findPosition(rest);
    if (found.start == std::string_view::npos) {
        message.text = rest;
        return message;
    }
    splitLocation(rest.substr(0, found.start), bookName, message);
    message.line = position(found.line);
    message.column = position(found.column);
    message.text = rest.substr(found.end);
    return message;
}

} // namespace tessaly::report

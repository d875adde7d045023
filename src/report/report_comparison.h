#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaly::report {

// What changed between two checks of the same book: which of the new
// report's messages the previous report did not have, and how many of the
// previous report's messages are gone. Messages are the lines that start
// with a severity ("ERROR(RSC-005): ..."); they are compared without their
// line and column numbers, so a message that only moved is the same one.
struct ReportComparison {
    // For each line of the new report: whether it is a message that is new.
    std::vector<bool> newLines;
    int newCount = 0;
    int goneCount = 0;
};

// The message of a report line without its "(line,column)" positions, or
// an empty text when the line is not a message.
std::string messageKey(std::string_view line);

ReportComparison compareReports(const std::vector<std::string>& previous, const std::vector<std::string>& current);

} // namespace tessaly::report

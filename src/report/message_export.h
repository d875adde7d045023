#pragma once

#include "report/report_message.h"

#include <string>
#include <string_view>
#include <vector>

namespace tessaly::report {

// The forms a report is saved in: the report's text as shown, or its
// messages as CSV or JSON, each message with its severity, code, file
// inside the book, line, column and text.
enum class ReportFormat { Text, Csv, Json };

// The form a file name asks for by its extension (".csv", ".json", ".txt",
// in any case); `chosen` (the dialog's file type) when it names none of them.
ReportFormat reportFormatOf(std::string_view fileName, ReportFormat chosen);

// One header line, then one line per message; fields that hold a comma, a
// double quote or a line break are quoted, quotes doubled. A missing line,
// column or file is an empty field. Lines end with CR LF, as CSV readers
// expect; the text keeps the report's bytes.
std::string messagesAsCsv(const std::vector<ReportMessage>& messages);

// {"book": ..., "messages": [{"severity": "ERROR", "code": ..., "file": ...,
// "line": 2, "column": 92, "text": ...}, ...]}, missing values as null.
// Bytes that are not UTF-8 become U+FFFD, so the result is always JSON.
std::string messagesAsJson(std::string_view book, const std::vector<ReportMessage>& messages);

} // namespace tessaly::report

#pragma once

#include <string>
#include <string_view>

namespace tessaly::report {

// The warm checker host's answers as the bytes it wrote. The report filter
// works on lines, after the console rules have turned tabs into spaces and
// carriage returns into overwrites; a report kept as a file must instead be
// exactly what "java -jar" writes. This collects the host's output as it
// comes and, once the end record of a request is known (EndRecordFilter),
// cuts out that request's answer: everything before the record, without
// the line feed the host added before it.
class HostAnswerBytes {
public:
    // Takes the host's output as it comes.
    void add(std::string_view bytes);
    // The answer that the end record for this token closes. The record is
    // dropped with it, also the part of it that has not arrived yet; what
    // follows belongs to the next answer.
    std::string take(const std::string& token, bool addedLineFeed);
    // Forgets everything (a new host).
    void reset();

private:
    std::string m_bytes;
    // The end of the last record has not arrived yet.
    bool m_inRecord = false;
};

} // namespace tessaly::report

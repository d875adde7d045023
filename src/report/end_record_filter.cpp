#include "report/end_record_filter.h"

#include <utility>

#include <charconv>
#include <sstream>
#include <vector>

namespace tessaly::report {

namespace {
constexpr char recordSeparator = '\x1e';
} // namespace

std::string EndRecordFilter::recordStart(const std::string& token)
{
    return std::string(1, recordSeparator) + "tessaly-end " + token + " ";
}

void EndRecordFilter::expect(std::string token, bool forward)
{
    m_expected.push_back({std::move(token), forward});
}

void EndRecordFilter::reset()
{
    m_expected.clear();
    m_line = Line::Fresh;
    m_heldText.clear();
    m_emptyLinePending = false;
}

std::optional<EndRecordFilter::EndRecord> EndRecordFilter::parse(const std::string& line, const std::string& token)
{
    const std::string start = recordStart(token);
    if (!line.starts_with(start))
        return std::nullopt;
    std::istringstream fields(line.substr(start.size()));
    std::vector<std::string> rest;
    for (std::string field; fields >> field;)
        rest.push_back(field);
    // STATUS CODE ADDED REASON TOKEN
    if (rest.size() != 5 || rest[4] != token || (rest[0] != "exit" && rest[0] != "failed"))
        return std::nullopt;
    long long code = 0;
    const auto [end, error] = std::from_chars(rest[1].data(), rest[1].data() + rest[1].size(), code);
    if (error != std::errc() || end != rest[1].data() + rest[1].size())
        return std::nullopt;
    EndRecord record;
    record.token = token;
    record.failed = rest[0] == "failed";
    // A process hands on only the low byte of its exit status.
    record.exitCode = std::uint32_t(code) & 0xFFu;
    record.reason = rest[3];
    record.addedLineFeed = rest[2] == "1";
    return record;
}

bool EndRecordFilter::mayBecomeRecord(const std::string& text) const
{
    // An empty line is held too: it may be the one the host ended itself
    // before its end record (see add()).
    if (m_expected.empty())
        return false;
    const std::string start = recordStart(m_expected.front().token);
    return text.size() < start.size() ? start.starts_with(text) : text.starts_with(start);
}

void EndRecordFilter::passPendingEmptyLine()
{
    if (std::exchange(m_emptyLinePending, false))
        pass({}, true);
}

void EndRecordFilter::pass(const std::string& text, bool startsOnNewLine)
{
    if (!m_expected.empty() && m_expected.front().forward && m_forward)
        m_forward(text, startsOnNewLine);
}

std::optional<EndRecordFilter::EndRecord> EndRecordFilter::add(const std::string& text, bool startsOnNewLine)
{
    if (startsOnNewLine) {
        // A line held back and followed by a new one was ordinary text. An
        // empty one waits for what follows: when that is an end record for
        // which the host added the line feed, the empty line was only the
        // host's doing and is dropped.
        if (m_line == Line::Held) {
            passPendingEmptyLine();
            if (m_heldText.empty())
                m_emptyLinePending = true;
            else
                pass(m_heldText, true);
        }
        m_line = Line::Fresh;
    }
    switch (m_line) {
    case Line::Record:
        return std::nullopt;
    case Line::Passed:
        // The host always starts its end record on a line of its own.
        pass(text, startsOnNewLine);
        return std::nullopt;
    case Line::Fresh:
    case Line::Held:
        break;
    }
    if (mayBecomeRecord(text)) {
        m_heldText.clear();
        if (auto record = parse(text, m_expected.front().token)) {
            if (record->addedLineFeed)
                m_emptyLinePending = false;
            passPendingEmptyLine();
            m_expected.pop_front();
            m_line = Line::Record;
            return record;
        }
        m_line = Line::Held;
        m_heldText = text;
        return std::nullopt;
    }
    // Nothing of a held line has reached the report yet: it starts there now.
    passPendingEmptyLine();
    pass(text, m_line == Line::Held ? true : startsOnNewLine);
    m_line = Line::Passed;
    m_heldText.clear();
    return std::nullopt;
}

} // namespace tessaly::report

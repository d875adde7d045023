#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace tessaly::report {

// Separates the warm checker host's reports from its end records. The host
// answers each request with the checker's output and then one line
//   RS "tessaly-end" TOKEN STATUS CODE ADDED REASON TOKEN
// (RS the byte 0x1E, fields separated by spaces) carrying the token the
// program chose for that request. Requests are answered in order; the
// filter expects their tokens in the same order.
//
// Reports (the runner's lines, possibly in parts: startsOnNewLine false
// continues the line reported before) are passed on unchanged for a request
// that forwards its output, or dropped. A line that may still become the
// end record is held back until it is complete or proves to be ordinary
// text, so that no part of an end record ever reaches the report.
class EndRecordFilter {
public:
    struct EndRecord {
        std::string token;
        bool failed = false;     // the host could not run the check to its end
        std::uint32_t exitCode = 0; // the checker's exit code, as a process would end with it
        std::string reason;      // why it failed ("-" otherwise)
        bool addedLineFeed = false; // the host ended the output's last line itself
    };
    using Forward = std::function<void(const std::string& text, bool startsOnNewLine)>;

    explicit EndRecordFilter(Forward forward) : m_forward(std::move(forward)) {}

    // Expects the answer to one more request; forward decides whether its
    // output is passed on.
    void expect(std::string token, bool forward);
    // Forgets every expected answer and anything held back.
    void reset();
    bool expecting() const { return !m_expected.empty(); }

    // Takes one report; returns the end record it completes, if any.
    std::optional<EndRecord> add(const std::string& text, bool startsOnNewLine);

    // Parses a complete end record line for the token, without the line feed.
    static std::optional<EndRecord> parse(const std::string& line, const std::string& token);
    // The start every end record line for the token has.
    static std::string recordStart(const std::string& token);

private:
    struct Expected {
        std::string token;
        bool forward = false;
    };
    bool mayBecomeRecord(const std::string& text) const;
    void pass(const std::string& text, bool startsOnNewLine);
    void passPendingEmptyLine();

    Forward m_forward;
    std::deque<Expected> m_expected;
    // What became of the current line so far.
    enum class Line {
        Fresh,   // nothing reported yet
        Held,    // held back, nothing of it passed on
        Passed,  // passed on (or dropped with its request's output)
        Record,  // an end record: the rest of it is dropped
    };
    Line m_line = Line::Fresh;
    std::string m_heldText;
    // An empty line held back and ended: passed on unless the end record
    // that follows says the host added the line feed that ended it.
    bool m_emptyLinePending = false;
};

} // namespace tessaly::report

#pragma once

#include "report/report_filter.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace tessaly::report {

// The report of one check: the lines the user reads, in order, and which of
// them to point out (messages that are new since the book's last check).
// The report filter appends to it; whatever shows the report follows it
// through its observer.
class Report : public ReportLines {
public:
    // Told of every change as it happens, so that a view can follow the
    // report without copying it.
    class Observer {
    public:
        virtual ~Observer() = default;
        // Lines from keptLines on changed (were removed or added); the ones
        // before are as they were.
        virtual void linesChanged(std::size_t keptLines) = 0;
        // Every line went at once.
        virtual void cleared() = 0;
        // Which lines are marked changed.
        virtual void marksChanged() = 0;
    };

    // The one observer, replacing any others; nullptr: none.
    void setObserver(Observer* observer);
    // Observers beside the others (the report's text and its messages
    // each follow it); told in the order they were added.
    void addObserver(Observer* observer);
    void removeObserver(Observer* observer);

    std::string lastLine() const override;
    void appendLine(const std::string& line) override;
    void removeLastLine() override;
    void clear();

    const std::vector<std::string>& lines() const { return m_lines; }
    // Points out the lines whose entry is true.
    void markLines(std::vector<bool> marked);
    bool isMarked(std::size_t line) const { return line < m_marked.size() && m_marked[line]; }

private:
    std::vector<std::string> m_lines;
    std::vector<bool> m_marked;
    template <typename Call>
    void tell(Call call);

    std::vector<Observer*> m_observers;
};

} // namespace tessaly::report

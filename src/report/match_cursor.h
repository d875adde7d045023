#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace tessaly::report {

// Where a search stands among its matches: the matches are places in a
// view's order (report lines, rows), ascending; next and previous step
// through them and wrap around at either end.
class MatchCursor {
public:
    // New matches; the current one becomes the first at or after `from`
    // (wrapping to the first of all), or none when there are none.
    void setMatches(std::vector<std::size_t> matches, std::size_t from = 0);
    void clear() { setMatches({}); }

    std::size_t count() const { return m_matches.size(); }
    // The current match's place, and its number counted from 1.
    std::optional<std::size_t> current() const;
    std::optional<std::size_t> currentNumber() const;

    // Moves to the next (previous) match and returns its place.
    std::optional<std::size_t> next();
    std::optional<std::size_t> previous();

private:
    std::vector<std::size_t> m_matches;
    std::size_t m_current = 0;
};

} // namespace tessaly::report

#pragma once

#include <QString>
#include <cstddef>
#include <optional>

namespace tessaly::app {

// A view the find bar searches: it finds the text, counts the matches and
// shows the next or the previous one (wrapping at either end).
class FindTarget {
public:
    virtual ~FindTarget() = default;
    // Searches anew (an empty text: no matches) and returns the count; the
    // first match from where the view stands becomes the current one.
    virtual std::size_t find(const QString& text) = 0;
    virtual void findNext() = 0;
    virtual void findPrevious() = 0;
    virtual std::size_t matchCount() const = 0;
    // The current match counted from 1, if there is one.
    virtual std::optional<std::size_t> currentMatch() const = 0;
};

} // namespace tessaly::app

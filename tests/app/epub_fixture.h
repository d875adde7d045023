#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tessaly::testing {

// The files of a small EPUB 3 book that the checker accepts without any
// message; tests change or drop entries to make it faulty.
std::vector<std::pair<std::string, std::string>> validBookEntries();

// The small book with `messages` unknown elements in its chapter, each of
// which the checker reports on a line of about a kilobyte, and `longLines`
// elements whose names make lines of 1.1 to 1.3 kilobytes.
std::vector<std::pair<std::string, std::string>> faultyBookEntries(int messages, int longLines);

// Writes a zip archive with the "mimetype" entry first and every entry
// stored (no compression), as EPUB requires.
void writeEpub(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries);

} // namespace tessaly::testing

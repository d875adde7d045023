#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tessaly::testing {

// The files of a small EPUB 3 book that the checker accepts without any
// message; tests change or drop entries to make it faulty.
std::vector<std::pair<std::string, std::string>> validBookEntries();

// Writes a zip archive with the "mimetype" entry first and every entry
// stored (no compression), as EPUB requires.
void writeEpub(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries);

} // namespace tessaly::testing

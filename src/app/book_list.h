#pragma once

#include <string>
#include <vector>

namespace tessaly::app {

// The books to check for the paths the user named: a folder stands for the
// ".epub" files in it and in its subfolders (any letter case, in name
// order, links to folders not followed); anything else is taken as a book
// as it stands, so that a missing or unreadable file gets the checker's
// own report. A book named twice is checked once.
std::vector<std::string> collectBooks(const std::vector<std::string>& paths);

} // namespace tessaly::app

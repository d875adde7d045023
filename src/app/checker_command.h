#pragma once

#include <string>
#include <vector>

namespace tessaly::app {

// The command line that runs the checker on one book:
//   java -jar "<programFolder>/epubcheck/epubcheck.jar" "<book>"
// programFolder ends with a separator. The book path is taken as it stands
// (it may be empty); double quotes and the backslashes before them are
// escaped, so splitting the line gives the exact path back and a crafted
// file name cannot add arguments.
std::string checkerCommandLine(const std::string& programFolder, const std::string& book);

// The command line that starts the warm checker host from the "epubcheck"
// folder beside the program, with a bounded heap and runtime settings that
// start it quickly. Its temporary files (the book it warms up on, anything
// the checker writes) go into temporaryFolder, which its owner removes once
// the host has ended: a host killed outright leaves nothing in the
// system's temporary folder. Empty: the runtime's default.
std::string checkerHostCommandLine(const std::string& programFolder, const std::string& temporaryFolder = {});
// Where the build places the host's archive.
std::string checkerHostArchive(const std::string& programFolder);

// The host's request line (without line end) to check one book: "check",
// the token, and the book's path with '%', control bytes and DEL written
// as %XX, so that any file name fits on one line.
std::string checkerHostRequest(const std::string& token, const std::string& book);

// Wraps text in double quotes, escaping it for the command-line splitting
// rules: a double quote becomes \" and backslashes are doubled where they
// stand before a double quote (including the closing one).
std::string quoteForCommandLine(const std::string& text);

// The environment for the checker. Its Java runtime decodes arguments by the
// locale's character type; when that is not UTF-8 the book's path would lose
// its non-ASCII characters, so the child then gets a UTF-8 character type.
// Returns an empty list (inherit unchanged) when the locale is UTF-8 already.
std::vector<std::string> checkerEnvironment(const std::vector<std::string>& current);

// This process's environment, as "NAME=value" entries.
std::vector<std::string> currentEnvironment();

} // namespace tessaly::app

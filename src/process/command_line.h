#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaly::process {

// Splits one command-line text into arguments, never through a shell:
// blanks (space, tab) outside double quotes separate arguments; a double
// quote toggles quoting (so "" is an empty argument); 2n backslashes before
// a double quote give n backslashes and the quote toggles; 2n+1 backslashes
// before a double quote give n backslashes and a literal quote; other
// backslashes are literal. Bytes are kept as they are (any encoding).
std::vector<std::string> splitCommandLine(std::string_view commandLine);

// Quotes one argument so that splitCommandLine() of the result (or of a
// command line that joins such results with spaces) yields it back exactly.
// Arguments without blanks or double quotes come back unchanged.
std::string quoteArgument(std::string_view argument);

// Joins quoted arguments with single spaces.
std::string joinCommandLine(const std::vector<std::string>& arguments);

} // namespace tessaly::process

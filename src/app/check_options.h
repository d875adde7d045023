#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tessaly::app {

// How the command line's results are written to standard output.
enum class ResultFormat { Text, Json, Junit };

// What "tessaly --check ..." was asked to do.
struct CheckOptions {
    std::vector<std::string> paths; // books and folders, as given
    std::optional<int> jobs;        // checks at once; none: the setting or the machine decides
    ResultFormat format = ResultFormat::Text;
    std::string outputFolder;       // empty: no report files
};

// The command line's arguments (without the program's name), read.
struct CommandLineRequest {
    enum class Kind { Check, Help, Version, BadUsage };
    Kind kind = Kind::BadUsage;
    CheckOptions options;      // for Check
    std::string usageError;    // for BadUsage: what is wrong, one line
};

// Whether these arguments ask for the command line rather than the window:
// the first one is a long option ("--check", "--help", "--version", ...)
// or "-h". A book named alone, as file managers pass it, opens the window.
bool isCommandLineRequest(const std::vector<std::string>& arguments);

CommandLineRequest parseCommandLine(const std::vector<std::string>& arguments);

// The text "--help" prints.
std::string commandLineHelp();

} // namespace tessaly::app

#include "process/command_line.h"

namespace tessaly::process {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::vector<std::string> splitCommandLine(std::string_view commandLine)
{
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false; // also true for an argument made only of quotes
    bool quoted = false;
    std::size_t i = 0;
    while (i < commandLine.size()) {
        const char c = commandLine[i];
        if (isBlank(c) && !quoted) {
            if (inArgument)
                arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            std::size_t backslashes = 0;
            while (i < commandLine.size() && commandLine[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < commandLine.size() && commandLine[i] == '"') {
                current.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    current.push_back('"');
                    ++i;
                }
                // An even count leaves the quote to toggle quoting below.
            } else {
                current.append(backslashes, '\\');
            }
            continue;
        }
        if (c == '"')
            quoted = !quoted;
        else
            current.push_back(c);
        ++i;
    }
    if (inArgument)
        arguments.push_back(std::move(current));
    return arguments;
}

std::string quoteArgument(std::string_view argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos)
        return std::string(argument);
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            // Each backslash before a quote doubles, and one more makes the
            // quote literal.
            quoted.append(backslashes * 2 + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        backslashes = 0;
        quoted.push_back(c);
    }
    // Backslashes before the closing quote double so that it still closes.
    quoted.append(backslashes * 2, '\\');
    quoted.push_back('"');
    return quoted;
}

std::string joinCommandLine(const std::vector<std::string>& arguments)
{
    std::string commandLine;
    for (const auto& argument : arguments) {
        if (!commandLine.empty())
            commandLine.push_back(' ');
        commandLine += quoteArgument(argument);
    }
    return commandLine;
}

} // namespace tessaly::process

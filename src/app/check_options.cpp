#include "app/check_options.h"

#include <charconv>

namespace tessaly::app {

namespace {

CommandLineRequest badUsage(std::string message)
{
    CommandLineRequest request;
    request.kind = CommandLineRequest::Kind::BadUsage;
    request.usageError = std::move(message);
    return request;
}

std::optional<ResultFormat> formatNamed(const std::string& name)
{
    if (name == "text")
        return ResultFormat::Text;
    if (name == "json")
        return ResultFormat::Json;
    if (name == "junit")
        return ResultFormat::Junit;
    return std::nullopt;
}

std::optional<int> positiveNumber(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1)
        return std::nullopt;
    return value;
}

// Reads the arguments one by one; an option's value comes as "--name=value"
// or as the next argument.
class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& arguments) : m_arguments(arguments) {}

    CommandLineRequest read()
    {
        bool check = false;
        bool optionsEnded = false;
        for (; m_next < m_arguments.size(); ++m_next) {
            const std::string& argument = m_arguments[m_next];
            if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
                m_request.options.paths.push_back(argument);
                continue;
            }
            std::string name = argument;
            std::optional<std::string> value;
            if (const std::size_t equals = argument.find('='); argument.starts_with("--") && equals != std::string::npos) {
                name = argument.substr(0, equals);
                value = argument.substr(equals + 1);
            }
            if (name == "--") {
                optionsEnded = true;
            } else if (name == "--help" || name == "-h") {
                m_request.kind = CommandLineRequest::Kind::Help;
                return m_request;
            } else if (name == "--version") {
                m_request.kind = CommandLineRequest::Kind::Version;
                return m_request;
            } else if (name == "--check" && !value) {
                check = true;
            } else if (name == "--jobs") {
                if (!takeValue(name, value))
                    return m_request;
                m_request.options.jobs = positiveNumber(*value);
                if (!m_request.options.jobs)
                    return badUsage("--jobs needs a whole number of at least 1, not \"" + *value + "\"");
            } else if (name == "--format") {
                if (!takeValue(name, value))
                    return m_request;
                const auto format = formatNamed(*value);
                if (!format)
                    return badUsage("--format is text, json or junit, not \"" + *value + "\"");
                m_request.options.format = *format;
            } else if (name == "--output") {
                if (!takeValue(name, value))
                    return m_request;
                if (value->empty())
                    return badUsage("--output needs a folder");
                m_request.options.outputFolder = *value;
            } else {
                return badUsage("unknown option " + argument);
            }
        }
        if (!check)
            return badUsage("--check is missing");
        if (m_request.options.paths.empty())
            return badUsage("no book or folder to check");
        m_request.kind = CommandLineRequest::Kind::Check;
        return m_request;
    }

private:
    bool takeValue(const std::string& name, std::optional<std::string>& value)
    {
        if (value)
            return true;
        if (m_next + 1 >= m_arguments.size()) {
            m_request = badUsage(name + " needs a value");
            return false;
        }
        value = m_arguments[++m_next];
        return true;
    }

    const std::vector<std::string>& m_arguments;
    std::size_t m_next = 0;
    CommandLineRequest m_request;
};

} // namespace

bool isCommandLineRequest(const std::vector<std::string>& arguments)
{
    // Qt's own options ("-platform xcb") have one dash and still open the
    // window.
    return !arguments.empty() && (arguments.front().starts_with("--") || arguments.front() == "-h");
}

CommandLineRequest parseCommandLine(const std::vector<std::string>& arguments)
{
    return ArgumentReader(arguments).read();
}

std::string commandLineHelp()
{
    return "Usage: tessaly [BOOK]\n"
           "       tessaly --check [--jobs N] [--format text|json|junit] [--output DIR] BOOK_OR_FOLDER...\n"
           "       tessaly --preview-skin SKIN_FILE_OR_FOLDER\n"
           "\n"
           "Without --check, opens the window (and checks BOOK when one is named).\n"
           "\n"
           "--check         checks the books without any window; folders are searched for\n"
           "                .epub files, also in their subfolders\n"
           "--jobs N        checks up to N books at once (default: the setting checker/jobs,\n"
           "                else as many as the processors and memory allow)\n"
           "--format F      text: one line per book as it ends, then a summary;\n"
           "                json: one JSON object per line for each book, then the summary;\n"
           "                junit: JUnit XML at the end (the lines go to standard error)\n"
           "--output DIR    writes each book's report, as the checker wrote it, into DIR\n"
           "--preview-skin  shows every control in a skin being made, and shows it again\n"
           "                whenever its files change\n"
           "--help          shows this text\n"
           "--version       shows the version\n"
           "\n"
           "Exit status: 0 when every book passed (warnings allowed), 1 when a book has\n"
           "errors or its check failed, 2 for bad usage, 130 when interrupted.\n";
}

} // namespace tessaly::app

#include "app/checker_command.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace tessaly::app {

std::string quoteForCommandLine(const std::string& text)
{
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : text) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            out.append(backslashes * 2 + 1, '\\');
        } else {
            out.append(backslashes, '\\');
        }
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    out += '"';
    return out;
}

std::string checkerCommandLine(const std::string& programFolder, const std::string& book)
{
    return "java -jar " + quoteForCommandLine(programFolder + "epubcheck/epubcheck.jar") + " "
        + quoteForCommandLine(book);
}

namespace {

std::string valueOf(const std::vector<std::string>& environment, const std::string& name)
{
    const std::string prefix = name + "=";
    for (const auto& entry : environment) {
        if (entry.starts_with(prefix))
            return entry.substr(prefix.size());
    }
    return {};
}

bool namesUtf8(std::string locale)
{
    std::transform(locale.begin(), locale.end(), locale.begin(),
        [](unsigned char c) { return char(std::tolower(c)); });
    return locale.find("utf-8") != std::string::npos || locale.find("utf8") != std::string::npos;
}

std::vector<std::string> withVariable(std::vector<std::string> environment, const std::string& name,
    const std::string& value)
{
    const std::string prefix = name + "=";
    std::erase_if(environment, [&](const std::string& entry) { return entry.starts_with(prefix); });
    environment.push_back(prefix + value);
    return environment;
}

} // namespace

std::vector<std::string> checkerEnvironment(const std::vector<std::string>& current)
{
    // The character type comes from the first of these that is set.
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const std::string value = valueOf(current, name);
        if (value.empty())
            continue;
        if (namesUtf8(value))
            return {};
        return withVariable(current, std::string_view(name) == "LC_ALL" ? "LC_ALL" : "LC_CTYPE", "C.UTF-8");
    }
    return withVariable(current, "LC_CTYPE", "C.UTF-8");
}

} // namespace tessaly::app

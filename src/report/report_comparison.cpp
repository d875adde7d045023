#include "report/report_comparison.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>

namespace tessaly::report {

namespace {

bool isMessage(std::string_view line)
{
    static constexpr std::array<std::string_view, 5> severities = {"FATAL(", "ERROR(", "WARNING(", "INFO(", "USAGE("};
    for (const std::string_view severity : severities) {
        if (line.starts_with(severity))
            return true;
    }
    return false;
}

// The length of a "(N,N)" position at the start of `text` (numbers may be
// negative), or 0.
std::size_t positionLength(std::string_view text)
{
    std::size_t i = 0;
    auto number = [&] {
        const std::size_t start = i;
        if (i < text.size() && text[i] == '-')
            ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        return i > start && text[i - 1] != '-';
    };
    if (text.empty() || text[i++] != '(' || !number() || i >= text.size() || text[i++] != ',' || !number()
        || i >= text.size() || text[i++] != ')')
        return 0;
    return i;
}

} // namespace

std::string messageKey(std::string_view line)
{
    if (!isMessage(line))
        return {};
    std::string key;
    key.reserve(line.size());
    for (std::size_t i = 0; i < line.size();) {
        if (const std::size_t length = positionLength(line.substr(i))) {
            key += "(,)";
            i += length;
        } else {
            key += line[i++];
        }
    }
    return key;
}

ReportComparison compareReports(const std::vector<std::string>& previous, const std::vector<std::string>& current)
{
    // Counted, so that a message reported twice before and three times now
    // is new once.
    std::map<std::string, int> unmatched;
    for (const auto& line : previous) {
        if (std::string key = messageKey(line); !key.empty())
            ++unmatched[key];
    }
    ReportComparison comparison;
    comparison.newLines.reserve(current.size());
    for (const auto& line : current) {
        const std::string key = messageKey(line);
        bool isNew = false;
        if (!key.empty()) {
            int& left = unmatched[key];
            isNew = left == 0;
            left = std::max(0, left - 1);
        }
        comparison.newLines.push_back(isNew);
        comparison.newCount += isNew;
    }
    for (const auto& [key, left] : unmatched)
        comparison.goneCount += left;
    return comparison;
}

} // namespace tessaly::report

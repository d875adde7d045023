#include "report/check_verdict.h"

#include <charconv>

namespace tessaly::report {

namespace {

// Reads "N word" or "N words" at the start of `text` and moves past it.
bool readCount(std::string_view& text, std::string_view word, int& count)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || end == text.data())
        return false;
    text.remove_prefix(std::size_t(end - text.data()));
    if (!text.starts_with(' '))
        return false;
    text.remove_prefix(1);
    if (!text.starts_with(word))
        return false;
    text.remove_prefix(word.size());
    if (text.starts_with('s'))
        text.remove_prefix(1);
    return true;
}

bool skip(std::string_view& text, std::string_view expected)
{
    if (!text.starts_with(expected))
        return false;
    text.remove_prefix(expected.size());
    return true;
}

std::string plural(int count, const char* word)
{
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

} // namespace

std::optional<MessageCounts> parseSummaryLine(std::string_view line)
{
    MessageCounts counts;
    if (skip(line, "Messages: ") && readCount(line, "fatal", counts.fatals) && skip(line, " / ")
        && readCount(line, "error", counts.errors) && skip(line, " / ")
        && readCount(line, "warning", counts.warnings) && skip(line, " / ")
        && readCount(line, "info", counts.infos) && line.empty())
        return counts;
    return std::nullopt;
}

Verdict verdictOf(std::uint32_t exitCode, const std::vector<std::string>& reportLines)
{
    std::optional<MessageCounts> counts;
    for (auto line = reportLines.rbegin(); line != reportLines.rend() && !counts; ++line)
        counts = parseSummaryLine(*line);
    Verdict verdict;
    verdict.text = "The checker failed (exit code " + std::to_string(exitCode) + ")";
    if (!counts)
        return verdict;
    const int errors = counts->fatals + counts->errors;
    // The checker exits with 1 exactly when it found errors; a summary of
    // no errors with another exit code ("File not found" prints one) or
    // errors with 0 means the summary cannot be trusted.
    if ((exitCode == 0) != (errors == 0))
        return verdict;
    verdict.counts = *counts;
    if (errors == 0 && counts->warnings == 0) {
        verdict.kind = VerdictKind::Passed;
        verdict.text = "Passed";
        return verdict;
    }
    verdict.kind = errors == 0 ? VerdictKind::Warnings : VerdictKind::Errors;
    verdict.text = plural(errors, "error") + ", " + plural(counts->warnings, "warning");
    return verdict;
}

std::string checkVerdict(std::uint32_t exitCode, const std::vector<std::string>& reportLines)
{
    return verdictOf(exitCode, reportLines).text;
}

} // namespace tessaly::report

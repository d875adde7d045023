#include "app/checker_command.h"

#include <algorithm>
#include <clocale>
#include <langinfo.h>
#include <locale.h>
#include <string_view>
// Declares environ (g++ defines _GNU_SOURCE); declaring it here by hand
// would clash with that declaration when files are compiled together.
#include <unistd.h>

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

std::string checkerHostArchive(const std::string& programFolder)
{
    return programFolder + "epubcheck/tessaly-checker-host.jar";
}

std::string checkerHostCommandLine(const std::string& programFolder, const std::string& temporaryFolder)
{
    // Serial collection: one thread, small footprint, and short pauses for a
    // heap this size. The host is idle most of its life, so it gives memory
    // back: the heap starts small (the runtime would otherwise start it,
    // and never shrink it below, at a 64th of the machine's memory) and
    // shrinks, all at once rather than in steps, at the collection the host
    // runs once it has been idle for a moment; the C library's heap is
    // trimmed every second. While a check runs the heap grows by at least
    // 40 % at a time, so that a large book costs only a few full
    // collections. The code cache is capped well below its 240 MB
    // reservation; the checker's compiled code takes a fraction of it. No
    // performance data file. The host replaces the security manager, which
    // newer runtimes allow only when asked. A runtime that lacks one of the
    // memory options (the native heap trim came with 17.0.9) still starts
    // the host.
    return "java -XX:+IgnoreUnrecognizedVMOptions -Xms8m -Xmx512m -XX:+UseSerialGC -XX:MinHeapFreeRatio=40 -XX:MaxHeapFreeRatio=50 "
           "-XX:-ShrinkHeapInSteps -XX:TrimNativeHeapInterval=1000 -XX:ReservedCodeCacheSize=64m -XX:-UsePerfData "
           "-Xshare:auto -Djava.security.manager=allow "
        + (temporaryFolder.empty() ? std::string() : quoteForCommandLine("-Djava.io.tmpdir=" + temporaryFolder) + " ")
        + "-cp " + quoteForCommandLine(checkerHostArchive(programFolder) + ":" + programFolder + "epubcheck/epubcheck.jar")
        + " tessaly.checker.CheckerHost";
}

std::string checkerHostRequest(const std::string& token, const std::string& book)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string request = "check " + token + " ";
    for (const char c : book) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || byte == '%') {
            request += '%';
            request += digits[byte >> 4];
            request += digits[byte & 0xF];
        } else {
            request += c;
        }
    }
    return request;
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

enum class LocaleKind { Missing, Other, Utf8 };

// What the C library makes of a locale name. A name alone says nothing:
// "en_US.UTF-8" is often not installed, and a program given it runs in the
// plain "C" locale.
LocaleKind localeKind(const std::string& name)
{
    const locale_t locale = ::newlocale(LC_ALL_MASK, name.c_str(), locale_t(0));
    if (locale == locale_t(0))
        return LocaleKind::Missing;
    const std::string_view codeSet = ::nl_langinfo_l(CODESET, locale);
    const LocaleKind kind = codeSet == "UTF-8" ? LocaleKind::Utf8 : LocaleKind::Other;
    ::freelocale(locale);
    return kind;
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

std::vector<std::string> currentEnvironment()
{
    std::vector<std::string> environment;
    for (char** entry = environ; entry && *entry; ++entry)
        environment.emplace_back(*entry);
    return environment;
}

std::vector<std::string> checkerEnvironment(const std::vector<std::string>& current)
{
    // The character type comes from the first of these that is set.
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const std::string value = valueOf(current, name);
        if (value.empty())
            continue;
        switch (localeKind(value)) {
        case LocaleKind::Utf8:
            return {};
        case LocaleKind::Missing:
            // A locale that cannot be loaded makes the checker's runtime
            // drop every category back to "C", not just the character type.
            return withVariable(current, "LC_ALL", "C.UTF-8");
        case LocaleKind::Other:
            return withVariable(current, std::string_view(name) == "LC_ALL" ? "LC_ALL" : "LC_CTYPE", "C.UTF-8");
        }
    }
    return withVariable(current, "LC_CTYPE", "C.UTF-8");
}

} // namespace tessaly::app

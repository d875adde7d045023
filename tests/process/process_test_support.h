#pragma once

#include "platform/error.h"
#include "platform/plain_main_thread.h"
#include "process/command_line.h"
#include "process/create_process.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace tessaly::process::test {

inline std::string childCommand(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), TESSALY_TEST_CHILD);
    return joinCommandLine(arguments);
}

// One reported text and whether it started a new line.
using Report = std::pair<std::string, bool>;

// Applies the replacement rule of onRead: a report that does not start a
// new line replaces the one before it.
inline std::vector<std::string> assembledLines(const std::vector<Report>& reports)
{
    std::vector<std::string> lines;
    for (const auto& [text, startsOnNewLine] : reports) {
        if (startsOnNewLine || lines.empty())
            lines.push_back(text);
        else
            lines.back() = text;
    }
    return lines;
}

// A runner on a plain main thread that records everything it reports.
struct Recorder {
    platform::PlainMainThread loop;
    CreateProcess process{loop};
    std::vector<Report> reads;
    std::vector<Report> errorReads;
    std::vector<std::string> rawReads;
    std::vector<std::uint32_t> exits;
    std::vector<std::string> events; // "read", "error" and "end" in arrival order
    std::vector<std::string> errors; // messages given to the error report

    Recorder()
    {
        process.setOnRead([this](CreateProcess& sender, const std::string& text, bool startsOnNewLine) {
            EXPECT_EQ(&sender, &process);
            reads.emplace_back(text, startsOnNewLine);
            events.push_back("read");
        });
        process.setOnErrorRead([this](CreateProcess&, const std::string& text, bool startsOnNewLine) {
            errorReads.emplace_back(text, startsOnNewLine);
            events.push_back("error");
        });
        process.setOnRawRead([this](CreateProcess&, const std::string& text) { rawReads.push_back(text); });
        process.setOnTerminate([this](CreateProcess&, std::uint32_t exitCode) {
            exits.push_back(exitCode);
            events.push_back("end");
        });
        loop.setErrorHandler([this](std::exception_ptr error) {
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                errors.push_back(e.what());
            }
        });
    }

    void start(std::vector<std::string> arguments, ConsoleOptions options = ConsoleOptions::Redirect)
    {
        process.setConsoleOptions(options);
        process.setCommandLine(childCommand(std::move(arguments)));
        process.run();
    }

    // Runs the loop until the run has ended; false on the safety time-out.
    bool finish()
    {
        const std::size_t before = exits.size();
        return loop.runUntil([&] { return exits.size() > before; });
    }

    bool waitForLine(const std::string& line)
    {
        return loop.runUntil([&] {
            for (const auto& [text, starts] : reads) {
                if (text == line)
                    return true;
            }
            return false;
        });
    }

    std::vector<std::string> lines() const { return assembledLines(reads); }
};

inline std::size_t countEntries(const char* folder)
{
    std::size_t count = 0;
    if (DIR* dir = ::opendir(folder)) {
        while (const dirent* entry = ::readdir(dir)) {
            if (entry->d_name[0] != '.')
                ++count;
        }
        ::closedir(dir);
    }
    return count;
}

inline std::size_t openDescriptorCount()
{
    return countEntries("/proc/self/fd") - 1; // less the one reading the folder
}

inline std::size_t threadCount()
{
    return countEntries("/proc/self/task");
}

// The names of this process's threads, for failure messages.
inline std::string threadNames()
{
    std::string names;
    if (DIR* dir = ::opendir("/proc/self/task")) {
        while (const dirent* entry = ::readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            std::ifstream comm(std::string("/proc/self/task/") + entry->d_name + "/comm");
            std::string name;
            std::getline(comm, name);
            names += (names.empty() ? "" : ", ") + name;
        }
        ::closedir(dir);
    }
    return names;
}

// The state letter of a process ('Z' for a zombie), or 0 when it is gone.
inline char processState(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return 0;
    const auto close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() ? line[close + 2] : 0;
}

// Children of this process that exist, running or not yet reaped.
inline std::size_t childProcessCount()
{
    std::size_t count = 0;
    const std::string self = std::to_string(::getpid());
    if (DIR* dir = ::opendir("/proc")) {
        while (const dirent* entry = ::readdir(dir)) {
            if (entry->d_name[0] < '0' || entry->d_name[0] > '9')
                continue;
            std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
            std::string line;
            if (!std::getline(stat, line))
                continue;
            const auto close = line.rfind(')');
            if (close == std::string::npos)
                continue;
            std::istringstream rest(line.substr(close + 2));
            std::string state, parent;
            rest >> state >> parent;
            if (parent == self)
                ++count;
        }
        ::closedir(dir);
    }
    return count;
}

} // namespace tessaly::process::test

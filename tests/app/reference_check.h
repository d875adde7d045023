#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

namespace tessaly::testing {

// The arguments of `java` for the check the program's reports are compared
// with: "java -jar epubcheck.jar BOOK" beside the program in
// `programFolder`. The runtime compiles with its quick compiler only and
// collects with one thread: what the checker writes does not depend on how
// the runtime compiles it, and a run of a few seconds then costs about half
// the processor time.
QStringList referenceCheckArguments(const std::string& programFolder, const std::string& book);

// Runs that check and returns what it wrote (its output and errors merged,
// as the program reads them).
QByteArray referenceCheckOutput(const std::string& programFolder, const std::string& book);

// A stand-in for `java`, first on PATH while it lives, that runs `script`
// with /bin/sh.
class StandInJava {
public:
    explicit StandInJava(const std::string& script);
    ~StandInJava();
    StandInJava(const StandInJava&) = delete;
    StandInJava& operator=(const StandInJava&) = delete;

private:
    QTemporaryDir m_folder;
    std::string m_savedPath;
};

// While it lives, "java" found on the search path is the runtime with the
// quick settings of the reference check, so that the checks the program
// starts itself cost as little. The program's command stays what it is.
class QuickJavaOnPath : public StandInJava {
public:
    QuickJavaOnPath();
};

} // namespace tessaly::testing

#include "app/command_line_main.h"

#include "app/check_command.h"
#include "app/check_options.h"
#include "platform/qt_main_thread.h"
#include "platform/qt_termination_signals.h"

#include <QCoreApplication>
#include <QDir>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace tessaly::app {

namespace {

std::vector<std::string> argumentsAfterName(int argc, char** argv)
{
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

int check(const CheckOptions& options)
{
    int argc = 1;
    char name[] = "tessaly";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tessaly"));
    platform::QtMainThread mainThread;
    mainThread.setErrorHandler([](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            std::cerr << "tessaly: " << e.what() << std::endl;
        }
    });
    const std::string programFolder = QDir(QCoreApplication::applicationDirPath()).absolutePath().toStdString() + "/";
    CheckCommand command(mainThread, programFolder, options, std::cout, std::cerr);
    // Ctrl+C (and SIGTERM, SIGHUP) ends every checker; only whole reports
    // were ever written.
    const platform::TerminationSignals terminationSignals([&command](int) { command.interrupt(); });
    int status = CheckCommand::SomeFailed;
    bool done = false;
    command.start([&](int exitStatus) {
        status = exitStatus;
        done = true;
        QCoreApplication::exit(exitStatus);
    });
    if (!done)
        QCoreApplication::exec();
    return status;
}

} // namespace

bool wantsCommandLine(int argc, char** argv) { return isCommandLineRequest(argumentsAfterName(argc, argv)); }

int runCommandLine(int argc, char** argv)
{
    const CommandLineRequest request = parseCommandLine(argumentsAfterName(argc, argv));
    switch (request.kind) {
    case CommandLineRequest::Kind::Help:
        std::cout << commandLineHelp();
        return 0;
    case CommandLineRequest::Kind::Version:
        std::cout << "Tessaly " TESSALY_VERSION "\n";
        return 0;
    case CommandLineRequest::Kind::BadUsage:
        std::cerr << "tessaly: " << request.usageError << "\nTry \"tessaly --help\".\n";
        return CheckCommand::BadUsage;
    case CommandLineRequest::Kind::Check:
        break;
    }
    return check(request.options);
}

} // namespace tessaly::app

#pragma once

#include <exception>
#include <string>
#include <utility>

class QWidget;

namespace tessaly::app {

// The message as the error report shows it: a period is appended when the
// last character sorts above the period, so messages that already end in
// ".", " ", "!" or ")" stay as they are.
std::string withClosingPeriod(std::string message);

// The program's one error report: a message box titled "Tessaly" with an
// error icon and an OK button.
void showErrorReport(QWidget* parent, const std::string& message);

// Runs an event handler; any error it raises ends the handler and is shown
// by the error report, and the program goes on.
template<typename Handler>
void runGuarded(QWidget* parent, Handler&& handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        showErrorReport(parent, error.what());
    }
}

} // namespace tessaly::app

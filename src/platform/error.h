#pragma once

#include <stdexcept>
#include <string>

namespace tessaly {

// Every failure the program reports is an Error carrying the message the
// user will read. The application's error report (app/) shows it; nothing
// else catches errors silently.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The message for a failed operating-system call:
// "System Error.  Code: <code>.\r\n<system text>", or
// "A call to an OS function failed" for code 0.
std::string systemErrorMessage(int code);

// Throws Error(systemErrorMessage(code)).
[[noreturn]] void throwSystemError(int code);

} // namespace tessaly

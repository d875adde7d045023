#include "platform/error.h"

#include <cstring>

namespace tessaly {

std::string systemErrorMessage(int code)
{
    if (code == 0)
        return "A call to an OS function failed";
    char buffer[256];
    // GNU strerror_r may return a static string instead of filling the buffer.
    const char* text = strerror_r(code, buffer, sizeof buffer);
    return "System Error.  Code: " + std::to_string(code) + ".\r\n" + text;
}

void throwSystemError(int code)
{
    throw Error(systemErrorMessage(code));
}

} // namespace tessaly

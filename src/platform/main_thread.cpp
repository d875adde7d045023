#include "platform/main_thread.h"

#include <cstdio>
#include <stdexcept>

namespace tessaly::platform {

MainThread::MainThread() = default;
MainThread::~MainThread() = default;

void MainThread::setErrorHandler(ErrorHandler handler)
{
    m_errorHandler = std::move(handler);
}

void MainThread::reportError(std::exception_ptr error) const
{
    if (!error)
        return;
    if (m_errorHandler) {
        m_errorHandler(error);
        return;
    }
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "unknown error\n");
    }
}

} // namespace tessaly::platform

#include "app/checker_jobs.h"

#include "platform/system_memory.h"

#include <QSettings>
#include <algorithm>

namespace tessaly::app {

int defaultCheckerJobs(unsigned processors, std::uint64_t memoryBytes)
{
    std::uint64_t jobs = std::max(1u, processors);
    if (memoryBytes > 0)
        jobs = std::min(jobs, memoryBytes / 4 / checkerHostMemoryBytes);
    return int(std::clamp<std::uint64_t>(jobs, 1, 256));
}

int checkerJobs()
{
    const QSettings settings(QStringLiteral("Tessaly"), QStringLiteral("Tessaly"));
    bool ok = false;
    const int chosen = settings.value(QLatin1String(CheckerJobsKey)).toInt(&ok);
    if (ok && chosen >= 1)
        return chosen;
    return defaultCheckerJobs(platform::usableProcessors(), platform::physicalMemoryBytes());
}

} // namespace tessaly::app

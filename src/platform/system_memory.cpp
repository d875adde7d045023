#include "platform/system_memory.h"

#include <sched.h>
#include <thread>
#include <unistd.h>

namespace tessaly::platform {

std::uint64_t physicalMemoryBytes()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0)
        return 0;
    return std::uint64_t(pages) * std::uint64_t(pageSize);
}

unsigned usableProcessors()
{
    // The affinity mask, which containers and "taskset" narrow, rather than
    // every processor of the machine.
    cpu_set_t set;
    if (::sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return unsigned(CPU_COUNT(&set));
    const unsigned count = std::thread::hardware_concurrency();
    return count > 0 ? count : 1;
}

} // namespace tessaly::platform

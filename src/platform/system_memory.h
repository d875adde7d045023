#pragma once

#include <cstdint>

namespace tessaly::platform {

// The machine's physical memory in bytes, 0 when it cannot be told.
std::uint64_t physicalMemoryBytes();

// How many processors this process may run on (at least 1).
unsigned usableProcessors();

} // namespace tessaly::platform

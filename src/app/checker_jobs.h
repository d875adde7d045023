#pragma once

#include <cstdint>

namespace tessaly::app {

// How many books are checked at once when the user does not say.

// What one checker host holds resident after a large book, with room to
// spare: the hosts together are kept within a quarter of the memory.
constexpr std::uint64_t checkerHostMemoryBytes = 384ull << 20;

// One check per processor, fewer when the hosts would take more than a
// quarter of the memory; at least one. Memory 0 (unknown) does not limit.
int defaultCheckerJobs(unsigned processors, std::uint64_t memoryBytes);

// The setting's value when it is 1 or more, else defaultCheckerJobs() for
// this machine.
int checkerJobs();

// The setting: QSettings of organisation and application "Tessaly", this
// key, a whole number (0 or missing: decided by the machine).
inline constexpr const char* CheckerJobsKey = "checker/jobs";

} // namespace tessaly::app

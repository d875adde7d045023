#pragma once

#include <benchmark/benchmark.h>

#include <ctime>

namespace tessaly::bench {

// Seconds of processor time of the calling thread. The machine may be
// shared: time spent waiting for a processor would only add noise to the
// ratios the benchmarks report.
inline double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// The thread's processor time an operation takes, its writes to memory
// included.
template <class Operation>
double timed(Operation&& operation)
{
    const double start = threadCpuSeconds();
    operation();
    benchmark::ClobberMemory();
    return threadCpuSeconds() - start;
}

} // namespace tessaly::bench

#include "skin/paint/pixel_kernels.h"

#include <atomic>

namespace tessaly::skin {

namespace {

InstructionSet best()
{
#if TESSALY_AVX2_VARIANT
    if (__builtin_cpu_supports("avx2"))
        return InstructionSet::Avx2;
#endif
    return InstructionSet::Plain;
}

// Read on every kernel call: a relaxed load costs nothing beside the work
// of a row, and lets tests switch variants at any time.
std::atomic<InstructionSet>& current()
{
    static std::atomic<InstructionSet> set{best()};
    return set;
}

} // namespace

bool processorHas(InstructionSet set)
{
    return set == InstructionSet::Plain || best() == set;
}

InstructionSet chosenInstructionSet()
{
    return current().load(std::memory_order_relaxed);
}

InstructionSet useInstructionSet(InstructionSet set)
{
    const InstructionSet used = processorHas(set) ? set : InstructionSet::Plain;
    current().store(used, std::memory_order_relaxed);
    return used;
}

} // namespace tessaly::skin

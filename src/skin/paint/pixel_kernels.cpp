#include "skin/paint/pixel_kernels.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

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

// TESSALY_PIXEL_KERNELS=plain starts with the plain variant, as a processor
// without AVX2 would: whole test programs run that way to show that what
// they compare does not depend on the processor.
InstructionSet initial()
{
    const char* chosen = std::getenv("TESSALY_PIXEL_KERNELS");
    if (chosen && std::strcmp(chosen, "plain") == 0)
        return InstructionSet::Plain;
    return best();
}

// Read on every kernel call: a relaxed load costs nothing beside the work
// of a row, and lets tests switch variants at any time.
std::atomic<InstructionSet>& current()
{
    static std::atomic<InstructionSet> set{initial()};
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

#pragma once

#include <cstdlib>

namespace tessaly::fuzz {

// A property every input must keep: aborting makes the fuzzer report the
// input that broke it.
inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace tessaly::fuzz

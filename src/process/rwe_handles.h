#pragma once

#include "process/unique_fd.h"

namespace tessaly::process {

// The three descriptor slots of one side of a redirected run, each owning
// its descriptor. The child's side: 0 standard input, 1 standard output,
// 2 standard error (empty when it shares the output pipe). The parent's
// side: 0 reads the child's output, 1 writes the child's input, 2 reads the
// child's separate error.
struct RWEHandles {
    UniqueFd handle[3];

    void clear()
    {
        for (auto& slot : handle)
            slot.reset();
    }
};

} // namespace tessaly::process

// The kernel tests with the plain variant of the pixel kernels forced: the
// code processors without AVX2 run, tested on every machine.

#include <gtest/gtest.h>

#include "skin/paint/pixel_kernels.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    tessaly::skin::useInstructionSet(tessaly::skin::InstructionSet::Plain);
    return RUN_ALL_TESTS();
}

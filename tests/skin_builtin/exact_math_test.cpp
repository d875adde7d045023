// The art's own exp, log and pow agree with the C library's to within a few
// units in the last place over the ranges the art uses (glow falloff,
// shadow falloff), and keep their edges.
#include "exact_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using skinart::exactExp;
using skinart::exactLog;
using skinart::exactPow;

constexpr double kRelative = 1e-14;

TEST(ExactMath, ExpAgreesWithTheLibrary)
{
    for (double x : {-740.0, -700.0, -50.0, -12.5, -3.0, -1.0, -0.5, -1e-9, 0.0, 1e-9, 0.25, 1.0, 2.0, 10.0, 88.0})
        EXPECT_NEAR(exactExp(x), std::exp(x), std::exp(x) * kRelative) << x;
    EXPECT_EQ(exactExp(-800.0), 0.0);
    EXPECT_THROW(exactExp(710.0), std::range_error);
    EXPECT_EQ(exactExp(0.0), 1.0);
}

TEST(ExactMath, LogAgreesWithTheLibrary)
{
    for (double x : {1e-300, 1e-9, 0.001, 0.3, 0.75, 0.9999, 1.0, 1.0001, 1.4999, 1.5, 2.0, 3.0, 1e6, 1e300})
        EXPECT_NEAR(exactLog(x), std::log(x), std::max(1e-15, std::abs(std::log(x)) * kRelative)) << x;
    EXPECT_THROW(exactLog(0.0), std::domain_error);
    EXPECT_THROW(exactLog(-1.0), std::domain_error);
}

TEST(ExactMath, PowAgreesWithTheLibrary)
{
    for (double base : {0.0, 1e-6, 0.01, 0.2, 0.5, 0.999, 1.0, 3.0})
        for (double exponent : {0.0, 0.5, 1.0, 2.4, 3.0})
            EXPECT_NEAR(exactPow(base, exponent), std::pow(base, exponent),
                        std::max(1e-300, std::pow(base, exponent) * kRelative))
                << base << "^" << exponent;
}

} // namespace

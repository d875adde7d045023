#include "exact_math.h"

#include <cmath>
#include <stdexcept>

namespace skinart {

namespace {

constexpr double kLn2 = 0.693147180559945309417232121458176568;
// ln 2 split so that k * kLn2High is exact for every k the exponential
// meets, and kLn2Low carries the rest.
constexpr double kLn2High = 6.93147180369123816490e-01;
constexpr double kLn2Low = 1.90821492927058770002e-10;

} // namespace

double exactExp(double x)
{
    if (x < -745)
        return 0;
    if (x > 709)
        throw std::range_error("exactExp: argument too large");
    // exp(x) = 2^k exp(r) with |r| <= ln 2 / 2: the series converges fast
    // for r, and scaling by a power of two is exact.
    const double k = std::nearbyint(x / kLn2);
    const double r = (x - k * kLn2High) - k * kLn2Low;
    double term = 1, sum = 1;
    for (int n = 1; n <= 20; ++n) {
        term = term * r / n;
        sum += term;
    }
    return std::ldexp(sum, int(k));
}

double exactLog(double x)
{
    if (!(x > 0))
        throw std::domain_error("exactLog: argument not positive");
    // Bring x into [0.75, 1.5) by exact halvings and doublings, then
    // log(m) = 2 atanh((m - 1) / (m + 1)), whose series converges fast there.
    int exponent = 0;
    double m = x;
    while (m >= 1.5) {
        m /= 2;
        ++exponent;
    }
    while (m < 0.75) {
        m *= 2;
        --exponent;
    }
    const double s = (m - 1) / (m + 1);
    const double s2 = s * s;
    double power = s, sum = 0;
    for (int k = 1; k <= 41; k += 2) {
        sum += power / k;
        power *= s2;
    }
    return 2 * sum + exponent * kLn2;
}

double exactPow(double base, double exponent)
{
    if (base == 0)
        return exponent == 0 ? 1 : 0;
    return exactExp(exponent * exactLog(base));
}

} // namespace skinart

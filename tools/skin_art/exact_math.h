#pragma once

// Exponential, logarithm and power built from the four basic operations,
// rounding to a whole number and exact scaling by powers of two. The C library picks its own exp, log and pow at run time (a variant
// with fused multiply-add where the processor has it), and the last bit of
// their results may then differ from one processor to the next. The skin's
// committed files must come out byte for byte the same everywhere, so the
// art never calls them: additions, multiplications and divisions are
// rounded the same way on every x86-64 processor.
namespace skinart {

double exactExp(double x);
// x > 0
double exactLog(double x);
// base >= 0
double exactPow(double base, double exponent);

} // namespace skinart

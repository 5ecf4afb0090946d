#pragma once

#include <QtGlobal>

// The arithmetic rules of the original language that the calculator's results depend on.
namespace platform {

// Nearest whole number, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4, -0.5 -> -0).
double roundHalfEven(double value);

// Integer division: both operands rounded half to even first, the quotient truncated
// toward zero (551 \ 2 = 275, -301 \ 2 = -150).
qint64 integerDivide(double dividend, double divisor);

// A 16-bit result, or the run-time error "Overflow" when the value does not fit.
qint16 checkedInt16(double value);

// The language's run-time error report: it names the error and ends the program.
[[noreturn]] void runtimeError(int number, const char *description);

} // namespace platform

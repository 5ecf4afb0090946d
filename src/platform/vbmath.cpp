#include "vbmath.h"

#include <QtGlobal>

#include <cmath>

namespace platform {

double roundHalfEven(double value)
{
    const double nearest = std::round(value); // halves away from zero
    if (std::abs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return nearest;
}

qint64 integerDivide(double dividend, double divisor)
{
    const double a = roundHalfEven(dividend);
    const double b = roundHalfEven(divisor);
    if (b == 0)
        runtimeError(11, "Division by zero");
    return qint64(a) / qint64(b);
}

qint16 checkedInt16(double value)
{
    const double whole = roundHalfEven(value);
    if (!(whole >= -32768.0 && whole <= 32767.0))
        runtimeError(6, "Overflow");
    return qint16(whole);
}

void runtimeError(int number, const char *description)
{
    qFatal("Run-time error '%d': %s", number, description);
}

} // namespace platform

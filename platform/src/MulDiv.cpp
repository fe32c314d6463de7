#include "WinDef.h"

#include <climits>

int MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0)
    {
        return -1;
    }
    const long long product = static_cast<long long>(nNumber) * nNumerator;
    const long long divisor = nDenominator;
    long long quotient = product / divisor;
    const long long remainder = product % divisor;
    // Round half away from zero: compare twice the remainder with the divisor.
    const unsigned long long twice =
        2ULL * static_cast<unsigned long long>(remainder < 0 ? -remainder : remainder);
    const unsigned long long magnitude = static_cast<unsigned long long>(divisor < 0 ? -divisor : divisor);
    if (twice >= magnitude)
    {
        quotient += ((product < 0) != (divisor < 0)) ? -1 : 1;
    }
    if (quotient > INT_MAX || quotient < INT_MIN)
    {
        return -1;
    }
    return static_cast<int>(quotient);
}

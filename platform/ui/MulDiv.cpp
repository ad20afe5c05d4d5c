#include "ui/MulDiv.h"

#include <cstdint>
#include <limits>

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0) return -1;

    // Work on magnitudes so that a half rounds away from zero whatever the
    // signs; the product of two 32-bit values always fits 63 bits.
    const std::int64_t product = std::int64_t{number} * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const std::uint64_t magnitude = product < 0 ? 0 - static_cast<std::uint64_t>(product)
                                                : static_cast<std::uint64_t>(product);
    const std::uint64_t divisor = denominator < 0 ? 0 - static_cast<std::uint64_t>(std::int64_t{denominator})
                                                  : static_cast<std::uint64_t>(denominator);
    const std::uint64_t quotient = (magnitude + divisor / 2) / divisor;

    const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : std::numeric_limits<int>::max();
    if (quotient > limit) return -1;
    return negative ? static_cast<int>(-static_cast<std::int64_t>(quotient)) : static_cast<int>(quotient);
}

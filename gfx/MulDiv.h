#pragma once

#include <cstdint>
#include <limits>

// a * b / c with a 64-bit intermediate, rounded to the nearest integer with halves
// away from zero. Division by zero, or a result that does not fit 32 bits, gives -1.
constexpr int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const std::uint64_t num = product < 0 ? static_cast<std::uint64_t>(-(product + 1)) + 1 : static_cast<std::uint64_t>(product);
    const std::uint64_t den = c < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(c)) : static_cast<std::uint64_t>(c);
    std::uint64_t quotient = num / den;
    if ((num % den) * 2 >= den)
        ++quotient;
    if (negative) {
        if (quotient > static_cast<std::uint64_t>(std::numeric_limits<int>::max()) + 1)
            return -1;
        return static_cast<int>(-static_cast<std::int64_t>(quotient));
    }
    if (quotient > static_cast<std::uint64_t>(std::numeric_limits<int>::max()))
        return -1;
    return static_cast<int>(quotient);
}

#pragma once

#include <cstdint>

// a * b / c with a 64-bit intermediate, rounded to the nearest integer, halves away from zero;
// a zero divisor gives -1. All scaling between paper units, pixels and percentages uses it.
constexpr int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = std::int64_t(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const std::uint64_t n = product < 0 ? std::uint64_t(-product) : std::uint64_t(product);
    const std::uint64_t d = c < 0 ? std::uint64_t(-std::int64_t(c)) : std::uint64_t(c);
    const std::uint64_t q = (n + d / 2) / d;
    return negative ? -int(q) : int(q);
}

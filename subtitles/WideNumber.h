#pragma once

// Exact arithmetic on typed decimals and frame counts: their products reach past 64 bits
// (frames times a denominator of up to 10^18, a time in frames times a span of frames).

__extension__ typedef __int128 Wide;

/// 10^n for n from 0 to 36.
constexpr Wide PowerOfTen(int n) {
    Wide value = 1;
    for (int i = 0; i < n; ++i) {
        value *= 10;
    }
    return value;
}

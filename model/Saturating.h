#pragma once

#include <climits>

// Sums of sizes and lines saturate at the int range instead of overflowing: crafted input can
// give line numbers and file sizes whose sums do not fit.
inline int SaturatingAdd(int a, int b) {
    long long sum = static_cast<long long>(a) + b;
    if (sum > INT_MAX)
        return INT_MAX;
    if (sum < INT_MIN)
        return INT_MIN;
    return static_cast<int>(sum);
}

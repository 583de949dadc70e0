#pragma once

// What the benchmarks measure with: a steady clock in nanoseconds and percentiles.

#include <algorithm>
#include <chrono>
#include <vector>

inline long long ns_adesso() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

inline double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * (v.size() - 1) + 0.5))];
}

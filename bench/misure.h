#pragma once

// What the benchmarks measure with: a steady clock and processor time in
// nanoseconds, percentiles and the median.

#include <algorithm>
#include <chrono>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <ctime>
#endif

inline long long ns_adesso() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Processor time in nanoseconds, of the calling thread or of the whole process.
inline double cpu_ns(bool solo_questo_thread) {
#ifdef _WIN32
    FILETIME c, e, k, u;
    if (solo_questo_thread)
        GetThreadTimes(GetCurrentThread(), &c, &e, &k, &u);
    else
        GetProcessTimes(GetCurrentProcess(), &c, &e, &k, &u);
    auto ns = [](FILETIME f) { return (static_cast<double>(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) * 100; };
    return ns(k) + ns(u);
#else
    timespec t{};
    clock_gettime(solo_questo_thread ? CLOCK_THREAD_CPUTIME_ID : CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
#endif
}
inline double cpu_thread_ns() { return cpu_ns(true); }
inline double cpu_processo_ns() { return cpu_ns(false); }

inline double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * (v.size() - 1) + 0.5))];
}

// The middle value; of an even count, the upper of the two in the middle.
inline double mediana(std::vector<double> v) { return percentile(std::move(v), 0.5); }

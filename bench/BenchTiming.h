// A small timing helper for the benchmarks: runs a function several times and
// reports the median and the fastest run in milliseconds.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace quorbell::bench {

struct Timing
{
    double medianMs = 0;
    double minMs = 0;
};

inline Timing timeRuns(int runs, const std::function<void()>& f)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        const auto t1 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front()};
}

inline void report(const char* name, const Timing& t)
{
    std::printf("%-48s median %9.3f ms   min %9.3f ms\n", name, t.medianMs, t.minMs);
}

} // namespace quorbell::bench

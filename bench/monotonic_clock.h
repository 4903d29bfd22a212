#pragma once

#include <time.h>

namespace quellmark::bench {

// CLOCK_MONOTONIC in nanoseconds: the same clock in every process, so times taken in a child
// and its parent can be compared.
inline long long MonotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

}  // namespace quellmark::bench

#pragma once

#include <cstdlib>

// Stops the fuzzer, or the corpus replay, at the first broken invariant.
inline void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

#pragma once

#include <chrono>
#include <cstddef>

namespace quellmark::ctl {

// How long the program waits, at the end, for `bytes` still queued to go out: twice their time
// on the line at 9600 baud (ten bits a byte), plus a second for a busy system.
inline std::chrono::milliseconds SendLimit(std::size_t bytes) {
    constexpr std::size_t kBitsPerByte = 10;
    constexpr std::size_t kBitsPerSecond = 9600;
    const auto lineTime = std::chrono::milliseconds(bytes * kBitsPerByte * 1000 / kBitsPerSecond);
    return 2 * lineTime + std::chrono::seconds(1);
}

}  // namespace quellmark::ctl

#pragma once

#include <chrono>
#include <cstddef>

#include "line_settings.h"

namespace quellmark::ctl {

// How long the program waits, at the end, for `bytes` still queued to go out: twice their time
// on the line (a start bit, the data bits, any parity bit and the stop bits each), plus a second
// for a busy system.
inline std::chrono::milliseconds SendLimit(std::size_t bytes) {
    constexpr auto kBitsPerByte = std::size_t(
        1 + kLineSettings.dataBits + (kLineSettings.parityBit ? 1 : 0) + kLineSettings.stopBits);
    const auto lineTime = std::chrono::milliseconds(bytes * kBitsPerByte * 1000 /
                                                    std::size_t(kLineSettings.baudRate));
    return 2 * lineTime + std::chrono::seconds(1);
}

}  // namespace quellmark::ctl

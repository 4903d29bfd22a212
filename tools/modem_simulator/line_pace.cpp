#include "line_pace.h"

#include <termios.h>

#include <algorithm>

namespace quellmark::modem_sim {

namespace {

// A start bit, eight data bits and a stop bit.
constexpr long long kBitsPerByte = 10;

}  // namespace

LinePace::LinePace(int device, std::optional<int> baud) : device_(device), baud_(baud) {
    // Stopped from the start, for good when no bytes are to be taken.
    if (baud_) {
        tcflow(device_, TCOOFF);
        stopped_ = true;
    }
}

void LinePace::Received(std::size_t count) {
    if (!baud_) {
        return;
    }
    if (!stopped_) {
        tcflow(device_, TCOOFF);
        stopped_ = true;
    }
    if (*baud_ > 0) {
        const auto lineTime = std::chrono::microseconds(static_cast<long long>(count) *
                                                        kBitsPerByte * 1'000'000 / *baud_);
        lineFree_ = std::max(lineFree_, Clock::now()) + lineTime;
    }
}

int LinePace::Update() {
    if (!stopped_ || *baud_ == 0) {
        return -1;
    }
    const Clock::duration rest = lineFree_ - Clock::now();
    if (rest > Clock::duration::zero()) {
        return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(rest).count());
    }
    tcflow(device_, TCOON);
    stopped_ = false;
    return -1;
}

}  // namespace quellmark::modem_sim

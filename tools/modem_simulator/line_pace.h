#pragma once

#include <chrono>
#include <cstddef>
#include <optional>

namespace quellmark::modem_sim {

// Takes bytes from the program no faster than a serial line at a given speed would carry them.
// A pseudo-terminal takes whatever is written at once, so its device end's output is kept stopped
// (tcflow TCOOFF: the kernel then takes no more bytes from any writer) and let go again only once
// the line would have carried everything received so far.
class LinePace {
public:
    // `device` is a descriptor of the terminal's device end. Baud 0 takes nothing at all; none
    // leaves the terminal as it is.
    LinePace(int device, std::optional<int> baud);

    // Stops the output at once: `count` bytes have just been read.
    void Received(std::size_t count);
    // Lets the output go once it is due; gives the milliseconds until then, -1 for no wait.
    int Update();

private:
    using Clock = std::chrono::steady_clock;

    int device_;
    std::optional<int> baud_;
    Clock::time_point lineFree_ = Clock::now();
    bool stopped_ = false;
};

}  // namespace quellmark::modem_sim

#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "unique_handle.h"

namespace quellmark::ctl {

// The console program's event loop: this thread's messages (the serial port's notices come that
// way) and one timer.
class EventLoop {
public:
    EventLoop();

    // Delivers messages and the timer until Quit().
    void Run();
    void Quit() { quit_ = true; }
    // Starts the timer anew, dropping an earlier start; `passed` runs in Run(), never before
    // `after` has passed.
    void StartTimer(std::chrono::milliseconds after, std::function<void()> passed);
    void StopTimer();

private:
    using Clock = std::chrono::steady_clock;

    void Arm(Clock::duration after);
    void OnTimerSignalled();
    void DispatchWaitingMessages() const;

    UniqueHandle timer_;
    std::optional<Clock::time_point> deadline_;
    std::function<void()> passed_;
    bool quit_ = false;
};

}  // namespace quellmark::ctl

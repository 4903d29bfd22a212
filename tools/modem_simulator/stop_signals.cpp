#include "stop_signals.h"

#include <poll.h>
#include <signal.h>

#include <chrono>
#include <csignal>

namespace quellmark::modem_sim {

namespace {

volatile std::sig_atomic_t stop_requested = 0;
sigset_t wait_mask;

void OnStopSignal(int) {
    stop_requested = 1;
}

timespec ToTimespec(std::chrono::nanoseconds duration) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
    return {static_cast<time_t>(seconds.count()), static_cast<long>((duration - seconds).count())};
}

}  // namespace

void BlockStopSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    sigset_t stop_set;
    sigemptyset(&stop_set);
    sigaddset(&stop_set, SIGTERM);
    sigaddset(&stop_set, SIGINT);
    sigprocmask(SIG_BLOCK, &stop_set, &wait_mask);
    sigdelset(&wait_mask, SIGTERM);
    sigdelset(&wait_mask, SIGINT);
}

bool StopRequested() {
    return stop_requested != 0;
}

bool WaitFor(int fd, short events, int timeout_ms) {
    if (StopRequested()) {
        return false;
    }
    pollfd entry{fd, events, 0};
    const timespec timeout = ToTimespec(std::chrono::milliseconds(timeout_ms));
    return ppoll(&entry, 1, timeout_ms < 0 ? nullptr : &timeout, &wait_mask) == 1;
}

void Pause(int ms) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(ms);
    for (Clock::time_point now = Clock::now(); now < end && !StopRequested(); now = Clock::now()) {
        const timespec rest = ToTimespec(end - now);
        ppoll(nullptr, 0, &rest, &wait_mask);
    }
}

}  // namespace quellmark::modem_sim

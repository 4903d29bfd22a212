#include "event_loop.h"

#include <utility>

namespace quellmark::ctl {

namespace {

using Ticks = std::chrono::duration<LONGLONG, std::ratio<1, 10'000'000>>;

}  // namespace

// Auto-reset: a signal that a StopTimer() came too late for is used up by the next wait.
EventLoop::EventLoop() : timer_(CreateWaitableTimerW(nullptr, FALSE, nullptr)) {}

void EventLoop::Run() {
    const HANDLE timer = timer_.Get();
    while (!quit_) {
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(1, &timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0) {
            OnTimerSignalled();
        } else if (woken == WAIT_OBJECT_0 + 1) {
            DispatchWaitingMessages();
        } else {
            break;
        }
    }
    quit_ = false;
}

void EventLoop::StartTimer(std::chrono::milliseconds after, std::function<void()> passed) {
    passed_ = std::move(passed);
    deadline_ = Clock::now() + after;
    Arm(after);
}

void EventLoop::StopTimer() {
    deadline_.reset();
    CancelWaitableTimer(timer_.Get());
}

void EventLoop::Arm(Clock::duration after) {
    // A negative due time is relative.
    LARGE_INTEGER due;
    due.QuadPart = -std::chrono::ceil<Ticks>(after).count();
    SetWaitableTimer(timer_.Get(), &due, 0, nullptr, nullptr, FALSE);
}

// The system counts a timer's due time in clock ticks and may signal it up to a tick early: the
// time-out is a promise to wait at least that long, so an early signal waits for the rest.
void EventLoop::OnTimerSignalled() {
    if (!deadline_) {
        return;
    }
    if (const Clock::time_point now = Clock::now(); now < *deadline_) {
        Arm(*deadline_ - now);
        return;
    }
    deadline_.reset();
    const std::function<void()> passed = std::move(passed_);
    passed();
}

void EventLoop::DispatchWaitingMessages() const {
    for (MSG message; !quit_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
        DispatchMessageW(&message);
    }
}

}  // namespace quellmark::ctl

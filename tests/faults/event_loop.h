#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <chrono>
#include <functional>

namespace quellmark::faults {

using namespace std::chrono_literals;

// Runs the event loop until done() holds or the timeout passes, and returns done(). The loop
// waits for events rather than sleeping; a short heartbeat wakes it so that conditions outside
// it (bytes at a pseudo-terminal's master, another process) are checked as well.
inline bool RunEventsUntil(const std::function<bool()>& done,
                           std::chrono::milliseconds timeout = 5s) {
    const QDeadlineTimer deadline(timeout);
    QTimer heartbeat;
    heartbeat.start(5ms);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

inline void RunEventsFor(std::chrono::milliseconds duration) {
    RunEventsUntil([] { return false; }, duration);
}

}  // namespace quellmark::faults

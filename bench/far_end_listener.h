#pragma once

#include <QSocketNotifier>
#include <chrono>
#include <optional>
#include <string>

#include "pseudo_terminal.h"

namespace quellmark::bench {

using Clock = std::chrono::steady_clock;

// Reads what reaches the far end as soon as the event loop sees it, and notes when the last
// byte of a command (its CR) arrived.
class FarEndListener {
public:
    explicit FarEndListener(test_support::PseudoTerminal& pty);

    // Forgets what came so far, ready for the next command.
    void Reset();
    std::optional<Clock::time_point> CommandEndTime() const { return commandEnd_; }
    const std::string& Received() const { return received_; }

private:
    void OnReadable();

    test_support::PseudoTerminal& pty_;
    QSocketNotifier notifier_;
    std::string received_;
    std::optional<Clock::time_point> commandEnd_;
};

}  // namespace quellmark::bench

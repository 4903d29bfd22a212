#include "far_end_listener.h"

namespace quellmark::bench {

FarEndListener::FarEndListener(test_support::PseudoTerminal& pty)
    : pty_(pty), notifier_(pty.MasterFd(), QSocketNotifier::Read) {
    QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { OnReadable(); });
}

void FarEndListener::Reset() {
    received_.clear();
    commandEnd_.reset();
}

void FarEndListener::OnReadable() {
    const std::string bytes = pty_.ReadAvailable();
    if (!commandEnd_ && bytes.find('\r') != std::string::npos) {
        commandEnd_ = Clock::now();
    }
    received_ += bytes;
}

}  // namespace quellmark::bench

#include "port_mailbox.h"

#include <utility>

namespace quellmark {

bool PortMailbox::AddReceived(std::string_view bytes) {
    const std::lock_guard lock(mutex_);
    received_ += bytes;
    return NeedsNotice();
}

bool PortMailbox::MarkLost() {
    const std::lock_guard lock(mutex_);
    if (lost_) {
        return false;
    }
    lost_ = true;
    return NeedsNotice();
}

bool PortMailbox::TakeNotice() {
    const std::lock_guard lock(mutex_);
    noticePending_ = false;
    return lost_;
}

std::size_t PortMailbox::Size() const {
    const std::lock_guard lock(mutex_);
    return received_.size();
}

std::string PortMailbox::TakeAll() {
    const std::lock_guard lock(mutex_);
    return std::exchange(received_, {});
}

void PortMailbox::Reset() {
    const std::lock_guard lock(mutex_);
    received_.clear();
    noticePending_ = false;
    lost_ = false;
}

bool PortMailbox::NeedsNotice() {
    return !std::exchange(noticePending_, true);
}

}  // namespace quellmark

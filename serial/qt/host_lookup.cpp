#include "host_lookup.h"

#include <fcntl.h>
#include <netdb.h>
#include <unistd.h>

#include <mutex>
#include <thread>
#include <utility>

namespace quellmark {

// What the lookup's thread and its owner share; the last of them to let go closes the pipe.
struct LookupShared {
    LookupShared() {
        if (pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
            wake[0] = wake[1] = -1;
        }
    }
    ~LookupShared() {
        close(wake[0]);
        close(wake[1]);
    }
    LookupShared(const LookupShared&) = delete;
    LookupShared& operator=(const LookupShared&) = delete;

    int wake[2];  // a byte reaches [0] when the lookup has ended
    std::mutex mutex;
    std::optional<HostAddresses> result;
};

namespace {

HostAddresses LookUp(const std::string& host) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (const int error = getaddrinfo(host.c_str(), nullptr, &hints, &found); error != 0) {
        return {{}, gai_strerror(error)};
    }
    HostAddresses result;
    for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
        result.addresses.emplace_back(entry->ai_addr);
    }
    freeaddrinfo(found);
    return result;
}

}  // namespace

HostLookup::HostLookup(const std::string& host) : shared_(std::make_shared<LookupShared>()) {
    if (shared_->wake[0] >= 0) {
        // Its one job is to wake the event loop up.
        wakeUp_.emplace(shared_->wake[0], QSocketNotifier::Read);
        QObject::connect(&*wakeUp_, &QSocketNotifier::activated, &*wakeUp_,
                         [this] { wakeUp_->setEnabled(false); });
    }
    std::thread([shared = shared_, host] {
        HostAddresses result = LookUp(host);
        const std::lock_guard lock(shared->mutex);
        shared->result = std::move(result);
        [[maybe_unused]] const ssize_t woken = write(shared->wake[1], "", 1);
    }).detach();
}

std::optional<HostAddresses> HostLookup::Result() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->result;
}

}  // namespace quellmark

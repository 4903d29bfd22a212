#pragma once

#include <QHostAddress>
#include <QSocketNotifier>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quellmark {

struct HostAddresses {
    // In the resolver's order; none when the host was not found.
    std::vector<QHostAddress> addresses;
    // The resolver's words for why there are none.
    std::string failureText;
};

struct LookupShared;

// The addresses of a host, looked up on a thread of its own. A lookup that outlasts the connect
// limit is left behind rather than waited for: Qt's own lookups hold up the program's end until
// the resolver gives up, which can take half a minute.
class HostLookup {
public:
    // Starts the lookup; this thread's event loop wakes up when it ends.
    explicit HostLookup(const std::string& host);
    HostLookup(const HostLookup&) = delete;
    HostLookup& operator=(const HostLookup&) = delete;

    // What was found, once the lookup has ended.
    std::optional<HostAddresses> Result() const;

private:
    std::shared_ptr<LookupShared> shared_;
    std::optional<QSocketNotifier> wakeUp_;
};

}  // namespace quellmark

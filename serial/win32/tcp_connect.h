#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "unique_socket.h"

namespace quellmark {

// A connected socket, or the Winsock error why there is none.
struct TcpConnection {
    UniqueSocket socket;
    int error = 0;
};

// Connects to `host` (UTF-8: a name, an IPv4 or IPv6 address) at `port`, trying each address the
// name has, for a line: small writes go out at once, and keep-alive probes notice a network that
// has gone quiet. The name lookup and the connects run on a thread of their own, as neither can
// be stopped; this thread waits at most `limit`, painting its windows (WaitPainting), and then
// gives WSAETIMEDOUT. A thread left behind owns all it touches and closes what it connects.
TcpConnection ConnectTcp(const std::string& host, std::uint16_t port,
                         std::chrono::milliseconds limit);

}  // namespace quellmark

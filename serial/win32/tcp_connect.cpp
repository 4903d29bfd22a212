#include "tcp_connect.h"

#include <mstcpip.h>

#include <memory>
#include <thread>
#include <utility>

#include "painting_wait.h"
#include "text_conversion.h"
#include "unique_handle.h"

namespace quellmark {

namespace {

// A line that has been quiet this long is probed; a network gone for good is then noticed within
// about 20 s (Windows sends ten probes, a second apart).
constexpr ULONG kKeepAliveIdleMs = 10'000;
constexpr ULONG kKeepAliveIntervalMs = 1'000;

// What the waiting thread and the connecting thread share; the last of them to let go frees it,
// closing a socket that nobody took.
struct ConnectAttempt {
    WinsockUse winsock;
    UniqueHandle done = CreateManualResetEvent();
    TcpConnection result;
};

void TuneForLine(SOCKET socket) {
    const BOOL noDelay = TRUE;
    Winsock().setSockOpt(socket, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
                         sizeof noDelay);
    tcp_keepalive keepAlive{1, kKeepAliveIdleMs, kKeepAliveIntervalMs};
    DWORD returned = 0;
    Winsock().ioctl(socket, SIO_KEEPALIVE_VALS, &keepAlive, sizeof keepAlive, nullptr, 0, &returned,
                    nullptr, nullptr);
}

TcpConnection ConnectToAny(const ADDRINFOW* addresses) {
    int error = WSAHOST_NOT_FOUND;
    for (const ADDRINFOW* address = addresses; address != nullptr; address = address->ai_next) {
        UniqueSocket socket(
            Winsock().socket(address->ai_family, address->ai_socktype, address->ai_protocol));
        if (socket && Winsock().connect(socket.Get(), address->ai_addr,
                                        static_cast<int>(address->ai_addrlen)) == 0) {
            TuneForLine(socket.Get());
            return {std::move(socket), 0};
        }
        error = Winsock().lastError();
    }
    return {UniqueSocket(), error};
}

TcpConnection LookUpAndConnect(const std::wstring& host, const std::wstring& port) {
    ADDRINFOW hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    ADDRINFOW* addresses = nullptr;
    if (const int error = Winsock().getAddrInfo(host.c_str(), port.c_str(), &hints, &addresses);
        error != 0) {
        return {UniqueSocket(), error};
    }
    TcpConnection connection = ConnectToAny(addresses);
    Winsock().freeAddrInfo(addresses);
    return connection;
}

}  // namespace

TcpConnection ConnectTcp(const std::string& host, std::uint16_t port,
                         std::chrono::milliseconds limit) {
    auto attempt = std::make_shared<ConnectAttempt>();
    if (!attempt->winsock.Started() || !attempt->done) {
        return {UniqueSocket(), WSANOTINITIALISED};
    }
    std::thread([attempt, host = win32::ToWide(host), port = std::to_wstring(port)] {
        attempt->result = LookUpAndConnect(host, port);
        SetEvent(attempt->done.Get());
    }).detach();
    // The result is the connecting thread's until it signals.
    if (!WaitPainting(attempt->done.Get(), limit)) {
        return {UniqueSocket(), WSAETIMEDOUT};
    }
    return std::move(attempt->result);
}

}  // namespace quellmark

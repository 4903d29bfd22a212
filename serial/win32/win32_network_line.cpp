#include "win32_network_line.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <utility>

#include "ansi_text.h"
#include "network_failure.h"
#include "tcp_connect.h"

namespace quellmark {

namespace {

// As the serial line: some 25 command lines. A server that takes longer is not waited for.
constexpr std::chrono::milliseconds kCloseLimit{500};
// For a program about to end, whose last command must not be lost.
constexpr std::chrono::milliseconds kSendLimit{2000};

// Whether `socket` becomes ready to write (or else to read) before `deadline`. A closed or
// failed connection counts as ready: the next call says which.
bool WaitReady(SOCKET socket, bool toWrite, std::chrono::steady_clock::time_point deadline) {
    const auto left =
        std::chrono::ceil<std::chrono::microseconds>(deadline - std::chrono::steady_clock::now())
            .count();
    if (left <= 0) {
        return false;
    }
    fd_set sockets;
    FD_ZERO(&sockets);
    FD_SET(socket, &sockets);
    timeval timeout{static_cast<long>(left / 1'000'000), static_cast<long>(left % 1'000'000)};
    return Winsock().select(0, toWrite ? nullptr : &sockets, toWrite ? &sockets : nullptr, nullptr,
                            &timeout) == 1;
}

}  // namespace

Win32NetworkLine::Win32NetworkLine(NetworkAddress address, RemarkHandler remark)
    : address_(std::move(address)),
      remark_(std::move(remark)),
      stream_(address_.protocol),
      window_([this](SOCKET socket, int event, int error) { OnSocketEvent(socket, event, error); },
              [this] { OnNotice(); }) {}

Win32NetworkLine::~Win32NetworkLine() {
    Close();
}

int Win32NetworkLine::Open() {
    if (!winsock_.Started()) {
        return WSASYSNOTREADY;
    }
    if (!window_.Exists()) {
        return ERROR_INVALID_WINDOW_HANDLE;
    }
    TcpConnection connection = ConnectTcp(address_.host, address_.port, kConnectLimit);
    if (!connection.socket) {
        return connection.error;
    }
    if (!window_.Watch(connection.socket.Get())) {
        return Winsock().lastError();
    }
    socket_ = std::move(connection.socket);
    Queue(stream_.Start());
    return 0;
}

void Win32NetworkLine::Close() {
    if (socket_) {
        FinishSending(kCloseLimit);
        CloseSocket();
    }
}

bool Win32NetworkLine::IsOpen() const {
    return static_cast<bool>(socket_);
}

void Win32NetworkLine::Write(const std::string& text) {
    if (socket_) {
        Queue(stream_.Encode(ToAnsiBytes(text)));
    }
}

std::size_t Win32NetworkLine::WaitingCount() const {
    return received_.size();
}

std::string Win32NetworkLine::ReadAll() {
    return std::exchange(received_, {});
}

std::size_t Win32NetworkLine::UnsentCount() const {
    return unsent_.size();
}

void Win32NetworkLine::WaitUntilSent() {
    if (socket_) {
        FinishSending(kSendLimit);
        CloseSocket();
    }
}

void Win32NetworkLine::OnSocketEvent(SOCKET socket, int event, int error) {
    // From before a Close().
    if (!socket_ || socket != socket_.Get()) {
        return;
    }
    if (event == FD_WRITE) {
        const bool waited = !unsent_.empty();
        if (!SendUnsent()) {
            ReportLoss();
        } else if (waited && unsent_.empty()) {
            RaiseEvent();
        }
        return;
    }
    const std::size_t waiting = received_.size();
    // A server that closes may have sent its last bytes just before.
    const bool ended = !ReadArrived(event == FD_CLOSE) || event == FD_CLOSE || error != 0;
    // What arrived before the end is still delivered, while the line is open.
    if (received_.size() > waiting) {
        RaiseEvent();
    }
    // Unless the handler has closed the line meanwhile.
    if (ended && socket_) {
        CloseSocket();
        RaiseEvent();
    }
}

void Win32NetworkLine::OnNotice() {
    if (lossReported_ && socket_) {
        CloseSocket();
        RaiseEvent();
    }
}

// Reads one chunk, or every chunk up to the end of the connection, through the stream, whose
// replies go out at once. False when the connection has ended.
bool Win32NetworkLine::ReadArrived(bool untilEnd) {
    char chunk[16 * 1024];
    do {
        const int count = Winsock().recv(socket_.Get(), chunk, sizeof chunk, 0);
        if (count <= 0) {
            return count < 0 && Winsock().lastError() == WSAEWOULDBLOCK;
        }
        const TelnetReceived received =
            stream_.Receive(std::string_view(chunk, static_cast<std::size_t>(count)));
        received_ += received.data;
        Queue(received.reply);
        if (received.comPortRefused && remark_) {
            remark_(ServerSettingsRemark(address_));
        }
    } while (untilEnd);
    return true;
}

void Win32NetworkLine::Queue(const std::string& bytes) {
    if (unsent_.size() + bytes.size() > kUnsentLimitBytes) {
        ReportLoss();
        return;
    }
    unsent_ += bytes;
    if (!SendUnsent()) {
        ReportLoss();
    }
}

// Hands queued bytes to the system until it takes no more; FD_WRITE says when it takes more.
// False when the connection has failed.
bool Win32NetworkLine::SendUnsent() {
    while (!unsent_.empty()) {
        const int count =
            Winsock().send(socket_.Get(), unsent_.data(),
                           static_cast<int>(std::min<std::size_t>(unsent_.size(), INT_MAX)), 0);
        if (count == SOCKET_ERROR) {
            return Winsock().lastError() == WSAEWOULDBLOCK;
        }
        unsent_.erase(0, static_cast<std::size_t>(count));
    }
    return true;
}

// Acted on in the message loop, so that a Write never calls the handler that called it.
void Win32NetworkLine::ReportLoss() {
    if (!std::exchange(lossReported_, true)) {
        window_.PostNotice();
    }
}

// Hands what is queued to the system, ends the sending side and waits, at most `limit` in all,
// until the server ends its side too, dropping what it still sends: a socket closed with received
// bytes unread is reset, and a reset may drop what the system has not sent yet.
void Win32NetworkLine::FinishSending(std::chrono::milliseconds limit) {
    const Clock::time_point deadline = Clock::now() + limit;
    const SOCKET socket = socket_.Get();
    window_.Unwatch(socket);
    while (!unsent_.empty() && WaitReady(socket, true, deadline) && SendUnsent()) {
    }
    Winsock().shutdown(socket, SD_SEND);
    char dropped[4096];
    while (WaitReady(socket, false, deadline) &&
           Winsock().recv(socket, dropped, sizeof dropped, 0) > 0) {
    }
}

void Win32NetworkLine::CloseSocket() {
    window_.Unwatch(socket_.Get());
    socket_.Reset();
    received_.clear();
    unsent_.clear();
    lossReported_ = false;
}

OpenedLine OpenNetworkLine(const NetworkAddress& address, RemarkHandler remark) {
    auto line = std::make_unique<Win32NetworkLine>(address, std::move(remark));
    if (const int error = line->Open(); error != 0) {
        return NetworkFailureReason(address, error);
    }
    return line;
}

}  // namespace quellmark

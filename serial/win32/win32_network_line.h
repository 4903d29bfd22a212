#pragma once

#include <winsock2.h>

#include <chrono>
#include <cstddef>
#include <string>

#include "network_address.h"
#include "network_stream.h"
#include "notifying_line.h"
#include "socket_window.h"
#include "unique_socket.h"

namespace quellmark {

// A SerialLine over a TCP connection to a serial port on another machine: rfc2217:// through the
// Telnet session, socket:// unchanged. The socket's events arrive through the message queue of
// the thread that created the line, which must run a message loop, and everything else is called
// on that thread too; only the connect runs on a thread of its own (ConnectTcp).
//
// Written bytes that the system does not take at once wait in a queue of at most
// kUnsentLimitBytes. A server that lets it fill up has stopped reading: the line then treats it
// as lost, as it does a server that closes the connection or a network that fails, and closes
// and notifies. The server's own settings refusal goes to the RemarkHandler, once.
class Win32NetworkLine : public NotifyingLine<SerialLine> {
public:
    // As much as the serial line lets wait.
    static constexpr std::size_t kUnsentLimitBytes = 64 * 1024;

    Win32NetworkLine(NetworkAddress address, RemarkHandler remark);
    ~Win32NetworkLine() override;
    Win32NetworkLine(const Win32NetworkLine&) = delete;
    Win32NetworkLine& operator=(const Win32NetworkLine&) = delete;

    // Connects within kConnectLimit; once only. 0, or the Winsock or system error why not:
    // ERROR_INVALID_WINDOW_HANDLE when the socket's events have no window to reach this thread by.
    int Open();
    // Hands what was written to the system and ends the connection, waiting half a second at most.
    void Close() override;
    bool IsOpen() const override;
    void Write(const std::string& text) override;
    std::size_t WaitingCount() const override;
    std::string ReadAll() override;
    // Written bytes (as they go to the server) not yet handed to the system. When the last of them
    // has been, the event handler runs.
    std::size_t UnsentCount() const override;
    // Closes as Close() does, waiting longer for the server to take everything.
    void WaitUntilSent() override;

private:
    using Clock = std::chrono::steady_clock;

    void OnSocketEvent(SOCKET socket, int event, int error);
    void OnNotice();
    bool ReadArrived(bool untilEnd);
    void Queue(const std::string& bytes);
    bool SendUnsent();
    void ReportLoss();
    void FinishSending(std::chrono::milliseconds limit);
    void CloseSocket();

    NetworkAddress address_;
    RemarkHandler remark_;
    NetworkStream stream_;
    WinsockUse winsock_;
    SocketWindow window_;
    UniqueSocket socket_;
    std::string received_;
    std::string unsent_;
    bool lossReported_ = false;
};

// A connected Win32NetworkLine, or why there is none, for people.
OpenedLine OpenNetworkLine(const NetworkAddress& address, RemarkHandler remark);

}  // namespace quellmark

#pragma once

#include <QTcpSocket>
#include <cstddef>
#include <optional>
#include <string>

#include "host_lookup.h"
#include "network_address.h"
#include "network_stream.h"
#include "notifying_line.h"

namespace quellmark {

// A SerialLine to a serial port on another machine, over TCP: raw for socket://, Telnet with the
// COM port option for rfc2217://. Notifications arrive through the Qt event loop of the thread
// that created it, as a QtSerialPort's do.
class QtNetworkLine : public NotifyingLine<SerialLine> {
public:
    // `remark` hears, once, what the user should know about the line.
    QtNetworkLine(NetworkAddress address, RemarkHandler remark);
    ~QtNetworkLine() override;
    QtNetworkLine(const QtNetworkLine&) = delete;
    QtNetworkLine& operator=(const QtNetworkLine&) = delete;

    // Connects, once; within kConnectLimit, or it counts as failed. Meanwhile this thread's events
    // run but for the user's input, so that windows stay painted and nothing the user does reaches
    // the program before the outcome. On failure, why, for people.
    std::optional<std::string> Connect();

    void Close() override;
    bool IsOpen() const override { return open_; }
    void Write(const std::string& text) override;
    std::size_t WaitingCount() const override { return received_.size(); }
    std::string ReadAll() override;
    std::size_t UnsentCount() const override { return std::size_t(socket_.bytesToWrite()); }
    void WaitUntilSent() override;

private:
    // Why the connect failed: the limit passed, the host has no address (none tried), or the last
    // address tried refused.
    std::string FailureReason(bool limitPassed, std::size_t tried,
                              const std::optional<HostAddresses>& host) const;
    void OnReadyRead();
    void OnLoss();
    void OnLost();
    void Send(const std::string& bytes);

    NetworkAddress address_;
    RemarkHandler remark_;
    NetworkStream stream_;
    std::string received_;
    bool open_ = false;
    bool lossPending_ = false;
    QTcpSocket socket_;
};

}  // namespace quellmark

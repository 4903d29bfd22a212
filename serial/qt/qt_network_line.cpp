#include "qt_network_line.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <QCoreApplication>
#include <QSignalBlocker>
#include <QString>
#include <QTimer>
#include <utility>

#include "latin1_bytes.h"

namespace quellmark {

namespace {

ConnectFailure FailureOf(QAbstractSocket::SocketError error) {
    switch (error) {
        case QAbstractSocket::ConnectionRefusedError:
            return ConnectFailure::Refused;
        case QAbstractSocket::SocketTimeoutError:
            return ConnectFailure::TimedOut;
        case QAbstractSocket::NetworkError:
            return ConnectFailure::Unreachable;
        default:
            return ConnectFailure::Other;
    }
}

// A server may hold a short reply back until what it sent before has been acknowledged (Nagle's
// algorithm, as ser2net does), while the system delays acknowledgements by up to 40 ms: they go
// at once instead. The system leaves that mode of its own accord, so it is asked for at every read.
void AcknowledgeAtOnce(qintptr socket) {
    const int on = 1;
    setsockopt(int(socket), IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
}

// Input left unread when a connection closes makes the system reset it instead, dropping what it
// has not sent yet.
void DiscardInput(qintptr socket) {
    char chunk[4096];
    while (::recv(int(socket), chunk, sizeof chunk, MSG_DONTWAIT) > 0) {
    }
}

}  // namespace

QtNetworkLine::QtNetworkLine(NetworkAddress address, RemarkHandler remark)
    : address_(std::move(address)), remark_(std::move(remark)), stream_(address_.protocol) {
    QObject::connect(&socket_, &QTcpSocket::readyRead, &socket_, [this] { OnReadyRead(); });
    QObject::connect(&socket_, &QTcpSocket::bytesWritten, &socket_, [this] { RaiseEvent(); });
    QObject::connect(&socket_, &QTcpSocket::disconnected, &socket_, [this] { OnLoss(); });
    QObject::connect(&socket_, &QTcpSocket::errorOccurred, &socket_, [this] { OnLoss(); });
}

QtNetworkLine::~QtNetworkLine() {
    Close();
}

std::optional<std::string> QtNetworkLine::Connect() {
    bool limitPassed = false;
    QTimer limit;
    limit.setSingleShot(true);
    limit.setTimerType(Qt::PreciseTimer);
    QObject::connect(&limit, &QTimer::timeout, [&limitPassed] { limitPassed = true; });
    limit.start(kConnectLimit);
    const HostLookup lookup(address_.host);
    std::optional<HostAddresses> host;
    std::size_t tried = 0;
    // Each address in turn, as a name may have several (localhost: ::1 and 127.0.0.1). The events
    // are run here rather than by a QEventLoop, which a quit meant for another loop (the
    // application's, as its last window closes) would end before the outcome.
    while (!limitPassed && socket_.state() != QAbstractSocket::ConnectedState) {
        if (socket_.state() == QAbstractSocket::UnconnectedState && (host = lookup.Result())) {
            if (tried == host->addresses.size()) {
                break;
            }
            socket_.connectToHost(host->addresses[tried++], address_.port);
            continue;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                        QEventLoop::ExcludeUserInputEvents);
    }
    if (socket_.state() == QAbstractSocket::ConnectedState) {
        open_ = true;
        // A command goes out at once, not when the server has acknowledged the one before.
        socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        AcknowledgeAtOnce(socket_.socketDescriptor());
        Send(stream_.Start());
        return std::nullopt;
    }
    const std::string reason = FailureReason(limitPassed, tried, host);
    socket_.abort();
    return reason;
}

std::string QtNetworkLine::FailureReason(bool limitPassed, std::size_t tried,
                                         const std::optional<HostAddresses>& host) const {
    if (limitPassed) {
        return ConnectFailureReason(address_, ConnectFailure::TimedOut, {});
    }
    if (tried == 0) {
        return ConnectFailureReason(address_, ConnectFailure::HostNotFound, host->failureText);
    }
    return ConnectFailureReason(address_, FailureOf(socket_.error()),
                                socket_.errorString().toStdString());
}

void QtNetworkLine::Close() {
    lossPending_ = false;
    if (!open_) {
        return;
    }
    open_ = false;
    // Closing is the caller's own doing (or already being reported as a loss); errors raised on
    // the way out are not news to it.
    const QSignalBlocker blocker(socket_);
    socket_.flush();
    if (socket_.state() == QAbstractSocket::ConnectedState) {
        DiscardInput(socket_.socketDescriptor());
    }
    socket_.abort();
}

void QtNetworkLine::Write(const std::string& text) {
    if (!open_) {
        return;
    }
    const QByteArray bytes = Latin1Bytes(text);
    Send(stream_.Encode(std::string_view(bytes.constData(), std::size_t(bytes.size()))));
}

std::string QtNetworkLine::ReadAll() {
    return std::exchange(received_, {});
}

// The system goes on sending what it holds after the connection has closed, and after the
// program has ended.
void QtNetworkLine::WaitUntilSent() {
    Close();
}

void QtNetworkLine::OnReadyRead() {
    const QByteArray chunk = socket_.readAll();
    AcknowledgeAtOnce(socket_.socketDescriptor());
    TelnetReceived received =
        stream_.Receive(std::string_view(chunk.constData(), std::size_t(chunk.size())));
    Send(received.reply);
    if (received.comPortRefused && remark_) {
        remark_(ServerSettingsRemark(address_));
    }
    if (!received.data.empty()) {
        received_ += received.data;
        RaiseEvent();
    }
}

void QtNetworkLine::OnLoss() {
    if (!open_ || lossPending_) {
        return;
    }
    lossPending_ = true;
    // Not closed right here, inside the socket's own signal.
    QMetaObject::invokeMethod(
        &socket_, [this] { OnLost(); }, Qt::QueuedConnection);
}

void QtNetworkLine::OnLost() {
    // Closed since the loss was noticed.
    if (!lossPending_) {
        return;
    }
    Close();
    RaiseEvent();
}

void QtNetworkLine::Send(const std::string& bytes) {
    if (!bytes.empty()) {
        socket_.write(bytes.data(), qint64(bytes.size()));
    }
}

}  // namespace quellmark

#include "qt_serial_port.h"

#include <termios.h>

#include <QByteArray>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QString>
#include <utility>

#include "latin1_bytes.h"
#include "line_settings.h"

namespace quellmark {

namespace {

// QSerialPort names its lock file after the path it is given, so a device reached through a
// symlink must be opened under its real name for the lock to keep a second opener out.
QString CanonicalDevicePath(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

}  // namespace

// The buffer sizes have no counterpart here: the kernel's tty buffer is fixed, and QSerialPort's
// own is emptied at every notification.
QtSerialPort::QtSerialPort() {
    static_assert(!kLineSettings.parityBit && !kLineSettings.flowControl);
    port_.setBaudRate(kLineSettings.baudRate);
    port_.setDataBits(QSerialPort::DataBits(kLineSettings.dataBits));
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::StopBits(kLineSettings.stopBits));
    port_.setFlowControl(QSerialPort::NoFlowControl);
    QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] { RaiseEvent(); });
    QObject::connect(&port_, &QSerialPort::bytesWritten, &port_, [this] { RaiseEvent(); });
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) { OnError(error); });
}

QtSerialPort::~QtSerialPort() {
    Close();
}

bool QtSerialPort::Open(const QString& device) {
    port_.setPortName(CanonicalDevicePath(device));
    if (!port_.open(QIODevice::ReadWrite)) {
        openError_ = port_.error();
        openErrorText_ = port_.errorString();
        return false;
    }
    // What the device sent while nobody listened answers a question of an earlier connection,
    // perhaps for another channel.
    port_.clear(QSerialPort::Input);
    return true;
}

void QtSerialPort::Close() {
    lossPending_ = false;
    if (!port_.isOpen()) {
        return;
    }
    // Closing is the caller's own doing (or already being reported as a loss); errors raised on
    // the way out are not news to it.
    const QSignalBlocker blocker(port_);
    port_.flush();
    port_.close();
}

bool QtSerialPort::IsOpen() const {
    return port_.isOpen();
}

void QtSerialPort::Write(const std::string& text) {
    if (!port_.isOpen()) {
        return;
    }
    port_.write(Latin1Bytes(text));
}

std::size_t QtSerialPort::WaitingCount() const {
    return std::size_t(port_.bytesAvailable());
}

std::string QtSerialPort::ReadAll() {
    const QByteArray bytes = port_.readAll();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

std::size_t QtSerialPort::UnsentCount() const {
    return std::size_t(port_.bytesToWrite());
}

void QtSerialPort::WaitUntilSent() {
    if (port_.isOpen()) {
        tcdrain(int(port_.handle()));
    }
}

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
    // Failures while opening are reported by Open() itself.
    if (error == QSerialPort::NoError || !port_.isOpen() || lossPending_) {
        return;
    }
    // A lost device shows up as ResourceError, or (a pseudo-terminal whose far end closed) as a
    // ReadError repeated on every turn of the event loop until the port is closed.
    if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError) {
        lossPending_ = true;
        // Not closed right here: that would delete QSerialPort's notifier from inside its own
        // notification.
        QMetaObject::invokeMethod(
            &port_, [this] { OnDeviceLost(); }, Qt::QueuedConnection);
        return;
    }
    RaiseEvent();
}

void QtSerialPort::OnDeviceLost() {
    // Closed, or opened anew, since the loss was noticed.
    if (!lossPending_) {
        return;
    }
    Close();
    RaiseEvent();
}

}  // namespace quellmark

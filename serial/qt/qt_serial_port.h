#pragma once

#include <QSerialPort>
#include <cstddef>
#include <string>

#include "numbered_serial_port.h"

namespace quellmark {

// SerialPort over QSerialPort with the line settings of kLineSettings. Notifications arrive through
// the Qt event loop of the thread that created it.
class QtSerialPort : public NumberedSerialPort {
public:
    QtSerialPort();
    ~QtSerialPort() override;
    QtSerialPort(const QtSerialPort&) = delete;
    QtSerialPort& operator=(const QtSerialPort&) = delete;

    bool Open() override;
    void Close() override;
    bool IsOpen() const override;
    void Write(const std::string& text) override;
    std::size_t WaitingCount() const override;
    std::string ReadAll() override;

    // Opens `device`, a path, rather than the numbered port.
    bool OpenDevice(const QString& device);
    // Why the last open failed: its kind, and the system's words for it.
    QSerialPort::SerialPortError OpenError() const { return openError_; }
    QString OpenErrorText() const { return openErrorText_; }
    // Written bytes not yet handed to the system; the event handler runs as they are handed over.
    std::size_t UnsentCount() const;
    // Blocks until the system has sent what it was handed: only for a program about to end.
    void WaitUntilSent();

private:
    void OnError(QSerialPort::SerialPortError error);
    void OnDeviceLost();

    bool lossPending_ = false;
    QSerialPort::SerialPortError openError_ = QSerialPort::NoError;
    QString openErrorText_;
    QSerialPort port_;
};

}  // namespace quellmark

#pragma once

#include <QSerialPort>
#include <cstddef>
#include <functional>
#include <string>

#include "serial_port.h"

namespace quellmark {

// SerialPort over QSerialPort at 9600 baud, 8N1, no flow control. Notifications arrive through
// the Qt event loop of the thread that created it.
class QtSerialPort : public SerialPort {
public:
    QtSerialPort();
    ~QtSerialPort() override;
    QtSerialPort(const QtSerialPort&) = delete;
    QtSerialPort& operator=(const QtSerialPort&) = delete;

    void SetEventHandler(std::function<void()> handler) override;
    void SetPortNumber(int number) override;
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
    void RaiseEvent();

    std::function<void()> handler_;
    int portNumber_ = 1;
    bool lossPending_ = false;
    QSerialPort::SerialPortError openError_ = QSerialPort::NoError;
    QString openErrorText_;
    QSerialPort port_;
};

}  // namespace quellmark

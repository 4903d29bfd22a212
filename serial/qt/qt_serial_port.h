#pragma once

#include <QSerialPort>
#include <cstddef>
#include <string>

#include "notifying_line.h"

namespace quellmark {

// A SerialLine over QSerialPort with the line settings of kLineSettings. Notifications arrive
// through the Qt event loop of the thread that created it.
class QtSerialPort : public NotifyingLine<SerialLine> {
public:
    QtSerialPort();
    ~QtSerialPort() override;
    QtSerialPort(const QtSerialPort&) = delete;
    QtSerialPort& operator=(const QtSerialPort&) = delete;

    // Opens `device`, a path; once only. On failure OpenError() says why.
    bool Open(const QString& device);
    // Why the open failed: its kind, and the system's words for it.
    QSerialPort::SerialPortError OpenError() const { return openError_; }
    QString OpenErrorText() const { return openErrorText_; }

    void Close() override;
    bool IsOpen() const override;
    void Write(const std::string& text) override;
    std::size_t WaitingCount() const override;
    std::string ReadAll() override;
    std::size_t UnsentCount() const override;
    void WaitUntilSent() override;

private:
    void OnError(QSerialPort::SerialPortError error);
    void OnDeviceLost();

    bool lossPending_ = false;
    QSerialPort::SerialPortError openError_ = QSerialPort::NoError;
    QString openErrorText_;
    QSerialPort port_;
};

}  // namespace quellmark

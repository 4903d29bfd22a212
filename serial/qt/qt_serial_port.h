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

private:
    void OnError(QSerialPort::SerialPortError error);
    void OnDeviceLost();

    bool lossPending_ = false;
    QSerialPort port_;
};

}  // namespace quellmark

#pragma once

#include <functional>
#include <memory>
#include <string>

#include "notifying_line.h"

namespace quellmark {

// The window's SerialPort on every system: each Open connects to the device of the chosen port
// through the system's opener, as a new line.
class NumberedPort : public NotifyingLine<SerialPort> {
public:
    // The device of port `number`, in UTF-8; empty when the port has none.
    using DeviceOfPort = std::function<std::string(int number)>;

    NumberedPort(DeviceOfPort deviceOf, LineOpener openLine);

    void SetPortNumber(int number) override { portNumber_ = number; }
    bool Open() override;
    void Close() override;
    bool IsOpen() const override;
    void Write(const std::string& text) override;
    std::size_t WaitingCount() const override;
    std::string ReadAll() override;
    std::size_t UnsentCount() const override;
    void WaitUntilSent() override;

private:
    DeviceOfPort deviceOf_;
    LineOpener openLine_;
    int portNumber_ = 1;
    // Once closed, kept until the next Open: a Close may come from inside its own notification.
    std::unique_ptr<SerialLine> line_;
};

}  // namespace quellmark

#pragma once

#include <functional>
#include <utility>

#include "serial_port.h"

namespace quellmark {

// What every SerialPort keeps alike: the notification handler and the port number that the next
// Open uses.
class NumberedSerialPort : public SerialPort {
public:
    void SetEventHandler(std::function<void()> handler) override { handler_ = std::move(handler); }
    void SetPortNumber(int number) override { portNumber_ = number; }

protected:
    int PortNumber() const { return portNumber_; }
    void RaiseEvent() const {
        if (handler_) {
            handler_();
        }
    }

private:
    std::function<void()> handler_;
    int portNumber_ = 1;
};

}  // namespace quellmark

#pragma once

#include <functional>
#include <utility>

#include "serial_port.h"

namespace quellmark {

// What every line keeps alike: the handler that its events go to. `Line` is SerialLine or
// SerialPort.
template <typename Line>
class NotifyingLine : public Line {
public:
    void SetEventHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

protected:
    void RaiseEvent() const {
        if (handler_) {
            handler_();
        }
    }

private:
    std::function<void()> handler_;
};

}  // namespace quellmark

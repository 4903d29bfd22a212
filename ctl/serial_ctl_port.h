#pragma once

#include <memory>
#include <string>
#include <utility>

#include "ctl_system.h"

namespace quellmark::ctl {

// CtlPort on an open serial port of the system's own kind (QtSerialPort, Win32SerialPort), which
// adds UnsentCount() and WaitUntilSent() to the SerialPort the window uses.
template <typename Port>
class SerialCtlPort : public CtlPort {
public:
    explicit SerialCtlPort(std::unique_ptr<Port> port) : port_(std::move(port)) {}

    void SetEventHandler(std::function<void()> handler) override {
        port_->SetEventHandler(std::move(handler));
    }
    bool IsOpen() const override { return port_->IsOpen(); }
    void Write(const std::string& text) override { port_->Write(text); }
    std::string ReadAll() override { return port_->ReadAll(); }
    std::size_t UnsentCount() const override { return port_->UnsentCount(); }
    void WaitUntilSent() override { port_->WaitUntilSent(); }

private:
    std::unique_ptr<Port> port_;
};

}  // namespace quellmark::ctl

#pragma once

#include "ctl_system.h"
#include "qt_serial_port.h"

namespace quellmark::ctl {

// CtlPort on an open QtSerialPort.
class QtCtlPort : public CtlPort {
public:
    explicit QtCtlPort(std::unique_ptr<QtSerialPort> port) : port_(std::move(port)) {}

    void SetEventHandler(std::function<void()> handler) override {
        port_->SetEventHandler(std::move(handler));
    }
    bool IsOpen() const override { return port_->IsOpen(); }
    void Write(const std::string& text) override { port_->Write(text); }
    std::string ReadAll() override { return port_->ReadAll(); }
    std::size_t UnsentCount() const override { return port_->UnsentCount(); }
    void WaitUntilSent() override { port_->WaitUntilSent(); }

private:
    std::unique_ptr<QtSerialPort> port_;
};

}  // namespace quellmark::ctl

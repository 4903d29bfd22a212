#pragma once

#include <memory>

#include "ctl_system.h"
#include "win32_serial_port.h"

namespace quellmark::ctl {

// CtlPort on an open Win32SerialPort.
class Win32CtlPort : public CtlPort {
public:
    explicit Win32CtlPort(std::unique_ptr<Win32SerialPort> port) : port_(std::move(port)) {}

    void SetEventHandler(std::function<void()> handler) override {
        port_->SetEventHandler(std::move(handler));
    }
    bool IsOpen() const override { return port_->IsOpen(); }
    void Write(const std::string& text) override { port_->Write(text); }
    std::string ReadAll() override { return port_->ReadAll(); }
    std::size_t UnsentCount() const override { return port_->UnsentCount(); }
    // Once nothing is unsent, every write has completed: the driver holds the bytes, and it sends
    // them before a close of the port completes. FlushFileBuffers is not used, since Wine carries
    // it out by discarding what the line has not sent yet.
    void WaitUntilSent() override { port_->Close(); }

private:
    std::unique_ptr<Win32SerialPort> port_;
};

}  // namespace quellmark::ctl

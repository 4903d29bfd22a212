#pragma once

#include "ctl_system.h"
#include "event_loop.h"
#include "input_file.h"

namespace quellmark::ctl {

// quellmark-ctl's system on Windows: the lines of OpenLine, the window's port numbering, this
// thread's message queue and a waitable timer, the console.
class Win32CtlSystem : public CtlSystem {
public:
    std::string PortForms() const override { return "COM12 oder \\\\.\\COM12"; }
    std::string DeviceOf(const std::variant<int, std::string>& port) override;
    OpenedLine Open(const std::string& device) override;
    void StartTimer(std::chrono::milliseconds after, std::function<void()> passed) override {
        loop_.StartTimer(after, std::move(passed));
    }
    void StopTimer() override { loop_.StopTimer(); }
    void RunEventLoop() override { loop_.Run(); }
    void QuitEventLoop() override { loop_.Quit(); }
    std::string DecimalSeparator() const override;
    bool Print(bool toError, const std::string& text) override;
    std::variant<std::string, ReadFailure> ReadInput(const std::string& path) override {
        return ReadInputFile(path);
    }

private:
    EventLoop loop_;
};

}  // namespace quellmark::ctl

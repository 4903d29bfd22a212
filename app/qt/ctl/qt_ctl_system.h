#pragma once

#include <QEventLoop>
#include <QTimer>

#include "ctl_system.h"
#include "device_path.h"
#include "input_file.h"
#include "present_ports.h"

namespace quellmark::ctl {

// quellmark-ctl's system on Linux: the lines of OpenLine, the window's port numbering over the
// ports that `present` lists, a Qt event loop and timer. Needs a QCoreApplication.
class QtCtlSystem : public CtlSystem {
public:
    explicit QtCtlSystem(PortLister present = PresentSystemPorts);

    std::string PortForms() const override { return "/dev/ttyUSB0"; }
    std::string DeviceOf(const std::variant<int, std::string>& port) override;
    OpenedLine Open(const std::string& device) override;
    void StartTimer(std::chrono::milliseconds after, std::function<void()> passed) override;
    void StopTimer() override { timer_.stop(); }
    void RunEventLoop() override { loop_.exec(); }
    void QuitEventLoop() override { loop_.quit(); }
    std::string DecimalSeparator() const override;
    bool Print(bool toError, const std::string& text) override;
    std::variant<std::string, ReadFailure> ReadInput(const std::string& path) override {
        return ReadInputFile(path);
    }

private:
    PortLister present_;
    QEventLoop loop_;
    QTimer timer_;
    std::function<void()> passed_;
};

}  // namespace quellmark::ctl

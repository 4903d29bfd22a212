#pragma once

#include <string>

#include "child_process.h"

namespace quellmark::faults {

// Another process holding a serial device open through QSerialPort, as a second copy of the
// program would: its lock file is what makes the device busy for everyone else.
class PortHolder {
public:
    // Returns once the other process holds the device, or has failed to; see Holding().
    explicit PortHolder(const std::string& device)
        : process_(QUELLMARK_PORT_HOLDER_PATH, {device}),
          holding_(process_.ReadFirstLine(5000) == "held") {}
    ~PortHolder() { Release(); }

    bool Holding() const { return holding_; }
    // The other process lets go of the device and exits; it does so when its input closes.
    void Release() {
        process_.CloseInputAndWait();
        holding_ = false;
    }

private:
    ChildProcess process_;
    bool holding_;
};

}  // namespace quellmark::faults

#pragma once

#include <sys/types.h>

#include <string>

namespace quellmark::faults {

// Another process holding a serial device open through QSerialPort, as a second copy of the
// program would: its lock file is what makes the device busy for everyone else.
class PortHolder {
public:
    // Returns once the other process holds the device, or has failed to; see Holding().
    explicit PortHolder(const std::string& device);
    ~PortHolder();
    PortHolder(const PortHolder&) = delete;
    PortHolder& operator=(const PortHolder&) = delete;

    bool Holding() const { return holding_; }
    // The other process lets go of the device and exits.
    void Release();

private:
    pid_t pid_ = -1;
    int toChild_ = -1;
    bool holding_ = false;
};

}  // namespace quellmark::faults

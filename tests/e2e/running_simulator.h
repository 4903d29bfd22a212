#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "child_process.h"

namespace quellmark::e2e {

// The real modem simulator, started with a command log and a wire trace of its own.
class RunningSimulator {
public:
    // `files` names the log (`files`.log) and the trace (`files`.trace); both are appended to.
    // The trace holds every byte, readable: kept out of the test output, looked at on failure.
    RunningSimulator(std::vector<std::string> options, const std::filesystem::path& files,
                     int timeout_ms);

    // The device it serves; empty if it did not come up in time.
    const std::string& Device() const { return device_; }

    // Every command line it has received so far, each with its carriage return.
    std::vector<std::string> LogLines() const;

    // Both directions of the conversation.
    std::string Trace() const;

    // Stops it as a user would end it; its device goes away.
    void Stop() { process_.Stop(); }

private:
    std::filesystem::path log_;
    std::filesystem::path trace_;
    ChildProcess process_;
    std::string device_;
};

}  // namespace quellmark::e2e

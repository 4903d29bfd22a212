#include "running_simulator.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace quellmark::e2e {

namespace {

std::string Contents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The simulator traces every byte to the stderr it inherits; pointing that at a file while it
// starts keeps thousands of lines out of the test output.
std::unique_ptr<SimulatorProcess> StartWithStderrIn(const std::vector<std::string>& options,
                                                    const std::filesystem::path& trace) {
    const int file = open(trace.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    const int saved = dup(STDERR_FILENO);
    if (file >= 0 && saved >= 0) {
        dup2(file, STDERR_FILENO);
    }
    auto process = std::make_unique<SimulatorProcess>(options);
    if (file >= 0 && saved >= 0) {
        dup2(saved, STDERR_FILENO);
    }
    for (const int fd : {file, saved}) {
        if (fd >= 0) {
            close(fd);
        }
    }
    return process;
}

}  // namespace

RunningSimulator::RunningSimulator(std::vector<std::string> options,
                                   const std::filesystem::path& files, int timeout_ms)
    : log_(std::filesystem::path(files).concat(".log")),
      trace_(std::filesystem::path(files).concat(".trace")) {
    options.insert(options.end(), {"--log", log_.string()});
    process_ = StartWithStderrIn(options, trace_);
    device_ = process_->ReadFirstLine(timeout_ms);
}

std::vector<std::string> RunningSimulator::LogLines() const {
    const std::string log = Contents(log_);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < log.size()) {
        // Bytes after the last carriage return count as a line too, so that they show up.
        const std::size_t end = std::min(log.find('\r', start), log.size() - 1);
        lines.push_back(log.substr(start, end + 1 - start));
        start = end + 1;
    }
    return lines;
}

std::string RunningSimulator::Trace() const {
    return Contents(trace_);
}

}  // namespace quellmark::e2e

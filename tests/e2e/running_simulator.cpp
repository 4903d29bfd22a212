#include "running_simulator.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace quellmark::e2e {

namespace {

std::string Contents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::string> WithLog(std::vector<std::string> options,
                                 const std::filesystem::path& log) {
    options.insert(options.end(), {"--log", log.string()});
    return options;
}

}  // namespace

RunningSimulator::RunningSimulator(std::vector<std::string> options,
                                   const std::filesystem::path& files, int timeout_ms)
    : log_(std::filesystem::path(files).concat(".log")),
      trace_(std::filesystem::path(files).concat(".trace")),
      process_(QUELLMARK_MODEM_SIM_PATH, WithLog(std::move(options), log_), trace_.string()),
      device_(process_.ReadFirstLine(timeout_ms)) {}

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

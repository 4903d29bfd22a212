#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// The real simulator binary, started with the given options and stopped with SIGTERM.
class SimulatorProcess {
public:
    explicit SimulatorProcess(const std::vector<std::string>& options);
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;
    ~SimulatorProcess();

    // The first line it prints, without its LF; empty if none came in time.
    std::string ReadFirstLine(int timeout_ms);

    // Sends SIGTERM and returns the exit status, or -1 if it did not exit normally.
    int Stop();

private:
    pid_t pid_ = -1;
    int stdout_ = -1;
};

// An fd for the device end, or -1.
int OpenDevice(const std::string& path);
void WriteText(int fd, const std::string& text);
// Reads until the text read so far ends with `end`, or the timeout passes.
std::string ReadUntil(int fd, const std::string& end, int timeout_ms);

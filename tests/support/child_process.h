#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// A program run as a child process, with its standard input and output piped to the test.
class ChildProcess {
public:
    // `stderrPath`, where given, is a file its standard error is appended to.
    ChildProcess(std::string program, const std::vector<std::string>& arguments,
                 const std::string& stderrPath = "");
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // The first line it prints, without its LF; empty if none came in time.
    std::string ReadFirstLine(int timeout_ms);

    // Closes its standard input, or sends SIGTERM, and waits for it to exit. Returns the exit
    // status, or -1 if it did not exit normally.
    int CloseInputAndWait();
    int Stop();

private:
    int Wait();

    pid_t pid_ = -1;
    int stdin_ = -1;
    int stdout_ = -1;
};

// An fd for the device end, or -1.
int OpenDevice(const std::string& path);
void WriteText(int fd, const std::string& text);
// Reads until the text read so far ends with `end`, or the timeout passes. One byte at a time,
// so nothing past the wanted end is taken from the fd.
std::string ReadUntil(int fd, const std::string& end, int timeout_ms);

#pragma once

#include <winsock2.h>

#include <string>
#include <vector>

namespace quellmark::test_support {

// The far end of the serial line, played on the Linux side by quellmark-far-end, which started
// this test program. Every call waits for its answer and fails the test on an error.
class FarEnd {
public:
    FarEnd();
    ~FarEnd();
    FarEnd(const FarEnd&) = delete;
    FarEnd& operator=(const FarEnd&) = delete;

    // A new pseudo-terminal in place of the last one; returns its device as a Windows path.
    std::wstring OpenTerminal();
    void Send(const std::string& bytes);
    // What arrives within `timeoutMs`, up to `count` bytes.
    std::string Receive(std::size_t count, int timeoutMs = 5000);
    // The terminal's line settings as Linux reports them, e.g. "baud=9600 bits=8 parity=none ...".
    std::string Settings();
    // Closes the far end, as a pulled adapter does.
    void HangUp();

    // Starts the modem simulator with `options` at the link "modem" of the private directory,
    // logging to "log" there. Ends the one before.
    void StartSimulator(const std::vector<std::string>& options);
    void StopSimulator();
    // Everything the simulators have logged so far.
    std::string SimulatorLog() const;
    // The simulator's link as a Windows path.
    std::wstring ModemPath() const;

private:
    std::string Request(const std::string& line);

    SOCKET socket_ = INVALID_SOCKET;
    std::string directory_;
};

}  // namespace quellmark::test_support

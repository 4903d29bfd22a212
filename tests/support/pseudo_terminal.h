#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QTest>
#include <cerrno>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quellmark::test_support {

// A pseudo-terminal pair: the program under test opens DevicePath() as its serial device, the
// test plays the far end through the master, without blocking. Both sides are raw, so bytes pass
// unchanged.
class PseudoTerminal {
public:
    PseudoTerminal() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        const bool ready = master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0;
        const char* slave = ready ? ptsname(master_) : nullptr;
        termios settings{};
        if (slave == nullptr || tcgetattr(master_, &settings) != 0) {
            Close();
            throw std::runtime_error("cannot create a pseudo-terminal");
        }
        devicePath_ = slave;
        cfmakeraw(&settings);
        tcsetattr(master_, TCSANOW, &settings);
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
        // A child process keeping the master open would keep the line up after Close().
        fcntl(master_, F_SETFD, FD_CLOEXEC);
    }
    ~PseudoTerminal() { Close(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& DevicePath() const { return devicePath_; }
    // For watching the far end for readiness.
    int MasterFd() const { return master_; }

    // Writes as much of bytes as the terminal takes now; returns how much that was.
    std::size_t WriteSome(std::string_view bytes) {
        const ssize_t written = ::write(master_, bytes.data(), bytes.size());
        if (written < 0 && errno != EAGAIN && errno != EINTR) {
            throw std::runtime_error("cannot write to pseudo-terminal");
        }
        return written > 0 ? std::size_t(written) : 0;
    }

    // Writes all of a short text; a long one could wait forever for room.
    void Write(std::string_view bytes) {
        while (!bytes.empty()) {
            bytes.remove_prefix(WriteSome(bytes));
        }
    }

    // Whatever has reached the far end so far; does not wait.
    std::string ReadAvailable() {
        std::string bytes;
        char chunk[4096];
        ssize_t count;
        while ((count = ::read(master_, chunk, sizeof chunk)) > 0) {
            bytes.append(chunk, std::size_t(count));
        }
        return bytes;
    }

    // Runs the event loop until `count` bytes have reached the far end or the time is up, and
    // returns what came.
    std::string Receive(std::size_t count, int timeout_ms = 10000) {
        std::string received;
        (void)QTest::qWaitFor(
            [&] {
                received += ReadAvailable();
                return received.size() >= count;
            },
            timeout_ms);
        return received;
    }

    // Hangs up, as a pulled adapter would.
    void Close() {
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
    }

private:
    int master_ = -1;
    std::string devicePath_;
};

}  // namespace quellmark::test_support

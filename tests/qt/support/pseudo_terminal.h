#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QTest>
#include <cerrno>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quellmark::test_support {

// A raw pseudo-terminal pair: the program under test opens DevicePath() as its serial device and
// the test plays the far end through the non-blocking master.
class PseudoTerminal {
public:
    PseudoTerminal() : master_(posix_openpt(O_RDWR | O_NOCTTY)) {
        termios raw{};
        if (grantpt(master_) != 0 || unlockpt(master_) != 0 || tcgetattr(master_, &raw) != 0) {
            Close();
            throw std::runtime_error("cannot create a pseudo-terminal");
        }
        devicePath_ = ptsname(master_);
        cfmakeraw(&raw);
        tcsetattr(master_, TCSANOW, &raw);
        fcntl(master_, F_SETFL, O_NONBLOCK);
        // A child process holding the master would keep the line up after Close().
        fcntl(master_, F_SETFD, FD_CLOEXEC);
    }
    ~PseudoTerminal() { Close(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& DevicePath() const { return devicePath_; }
    int MasterFd() const { return master_; }

    // Writes as much as the terminal takes now; returns how much that was.
    std::size_t WriteSome(std::string_view bytes) {
        const ssize_t written = ::write(master_, bytes.data(), bytes.size());
        if (written >= 0) {
            return std::size_t(written);
        }
        if (errno != EAGAIN && errno != EINTR) {
            throw std::runtime_error("cannot write to pseudo-terminal");
        }
        return 0;
    }
    // For short texts only: a long one could wait forever for room.
    void Write(std::string_view bytes) {
        while (!bytes.empty()) {
            bytes.remove_prefix(WriteSome(bytes));
        }
    }

    // Whatever has reached the far end so far, without waiting.
    std::string ReadAvailable() {
        std::string bytes;
        char chunk[4096];
        ssize_t count;
        while ((count = ::read(master_, chunk, sizeof chunk)) > 0) {
            bytes.append(chunk, std::size_t(count));
        }
        return bytes;
    }
    // Runs the event loop until `count` bytes have arrived or the time is up; returns them.
    std::string Receive(std::size_t count, int timeout_ms = 10000) {
        std::string received;
        const auto arrived = [&] {
            received += ReadAvailable();
            return received.size() >= count;
        };
        (void)QTest::qWaitFor(arrived, timeout_ms);
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

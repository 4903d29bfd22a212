#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QDeadlineTimer>
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
    PseudoTerminal() : master_(posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {
        termios raw{};
        if (grantpt(master_) != 0 || unlockpt(master_) != 0 || tcgetattr(master_, &raw) != 0) {
            throw std::runtime_error("cannot create a pseudo-terminal");
        }
        devicePath_ = ptsname(master_);
        cfmakeraw(&raw);
        tcsetattr(master_, TCSANOW, &raw);
    }
    ~PseudoTerminal() { Close(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& DevicePath() const { return devicePath_; }
    int MasterFd() const { return master_; }

    // Writes as much as the terminal takes now; returns how much that was.
    std::size_t WriteSome(std::string_view bytes) {
        const ssize_t written = ::write(master_, bytes.data(), bytes.size());
        return written < 0 ? 0 : std::size_t(written);
    }
    // Writes all of `bytes`, running the event loop whenever the terminal is full so that the
    // program can read; false if it did not take them within 10 s.
    bool Write(std::string_view bytes) {
        const QDeadlineTimer deadline(10000);
        while (!(bytes = bytes.substr(WriteSome(bytes))).empty() && !deadline.hasExpired()) {
            QCoreApplication::processEvents();
        }
        return bytes.empty();
    }

    // Whatever has reached the far end so far, without waiting.
    std::string ReadAvailable() {
        std::string bytes;
        char chunk[4096];
        for (ssize_t count; (count = ::read(master_, chunk, sizeof chunk)) > 0;) {
            bytes.append(chunk, std::size_t(count));
        }
        return bytes;
    }
    // Runs the event loop until `count` bytes have reached the far end or 10 s passed; returns
    // them.
    std::string Receive(std::size_t count) {
        std::string received;
        (void)QTest::qWaitFor([&] { return (received += ReadAvailable()).size() >= count; }, 10000);
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
    int master_;
    std::string devicePath_;
};

}  // namespace quellmark::test_support

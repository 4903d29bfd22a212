#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QTest>
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
        cfmakeraw(&raw);
        tcsetattr(master_, TCSANOW, &raw);
    }
    ~PseudoTerminal() { ::close(master_); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    std::string DevicePath() const { return ptsname(master_); }
    int MasterFd() const { return master_; }

    // Writes all of `bytes`, running the event loop whenever the terminal is full so that the
    // program can read; false if it did not take them within 10 s.
    bool Write(std::string_view bytes) {
        const QDeadlineTimer deadline(10000);
        while (!bytes.empty() && !deadline.hasExpired()) {
            bytes.remove_prefix(std::max<ssize_t>(::write(master_, bytes.data(), bytes.size()), 0));
            QCoreApplication::processEvents();
        }
        return bytes.empty();
    }
    // Runs the event loop until `count` bytes have reached the far end or 10 s passed; returns
    // them.
    std::string Receive(std::size_t count) {
        std::string received;
        char chunk[4096];
        (void)QTest::qWaitFor(
            [&] {
                for (ssize_t n; (n = ::read(master_, chunk, sizeof chunk)) > 0;) {
                    received.append(chunk, std::size_t(n));
                }
                return received.size() >= count;
            },
            10000);
        return received;
    }

private:
    int master_;
};

}  // namespace quellmark::test_support

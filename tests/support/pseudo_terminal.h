#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quellmark::test_support {

// A pseudo-terminal pair: the program under test opens SlavePath() as its serial device, the
// test plays the far end through the master. Both sides are raw, so bytes pass unchanged.
class PseudoTerminal {
public:
    PseudoTerminal() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
            Fail("cannot create a pseudo-terminal");
        }
        const char* slave = ptsname(master_);
        if (slave == nullptr) {
            Fail("pseudo-terminal has no slave");
        }
        slavePath_ = slave;
        termios settings{};
        if (tcgetattr(master_, &settings) != 0) {
            Fail("cannot read pseudo-terminal settings");
        }
        cfmakeraw(&settings);
        if (tcsetattr(master_, TCSANOW, &settings) != 0 ||
            fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK) != 0) {
            Fail("cannot set up pseudo-terminal");
        }
    }
    ~PseudoTerminal() { CloseMaster(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& SlavePath() const { return slavePath_; }

    // Sends bytes from the far end.
    void Write(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t written = ::write(master_, bytes.data(), bytes.size());
            if (written < 0 && errno != EINTR) {
                throw std::runtime_error("cannot write to pseudo-terminal");
            }
            bytes.remove_prefix(written > 0 ? std::size_t(written) : 0);
        }
    }

    // Whatever has reached the far end so far; does not wait.
    std::string ReadAvailable() {
        std::string bytes;
        char chunk[256];
        ssize_t count;
        while ((count = ::read(master_, chunk, sizeof chunk)) > 0) {
            bytes.append(chunk, std::size_t(count));
        }
        return bytes;
    }

    // Hangs up, as a pulled adapter would.
    void CloseMaster() {
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
    }

private:
    [[noreturn]] void Fail(const char* what) {
        CloseMaster();
        throw std::runtime_error(what);
    }

    int master_ = -1;
    std::string slavePath_;
};

}  // namespace quellmark::test_support

#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quellmark::faults {

// The modem's end of a pseudo-terminal, driven without blocking: the window opens DevicePath()
// and the test or benchmark writes, reads and hangs up through the master. Both sides are raw.
// Unlike the shared test helper it exposes the master, so a caller can watch it for readiness,
// and it writes only what fits, so a flood can be interleaved with the window's event loop.
class FarEnd {
public:
    FarEnd() {
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
    ~FarEnd() { Close(); }
    FarEnd(const FarEnd&) = delete;
    FarEnd& operator=(const FarEnd&) = delete;

    const std::string& DevicePath() const { return devicePath_; }
    int MasterFd() const { return master_; }

    // Writes as much of bytes as the terminal takes now; returns how much that was.
    std::size_t WriteSome(std::string_view bytes) {
        const ssize_t written = ::write(master_, bytes.data(), bytes.size());
        if (written < 0 && errno != EAGAIN && errno != EINTR) {
            throw std::runtime_error("cannot write to pseudo-terminal");
        }
        return written > 0 ? std::size_t(written) : 0;
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

}  // namespace quellmark::faults

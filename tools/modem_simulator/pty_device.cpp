#include "pty_device.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

namespace quellmark::modem_sim {

namespace {

bool Fail(std::string& error, const char* step) {
    error = std::string(step) + ": " + std::strerror(errno);
    return false;
}

bool MakeRaw(int fd, std::string& error) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        return Fail(error, "tcgetattr");
    }
    cfmakeraw(&settings);
    settings.c_cflag &= ~CSTOPB;
    settings.c_cflag |= CLOCAL | CREAD;
    cfsetspeed(&settings, B9600);
    if (tcsetattr(fd, TCSANOW, &settings) != 0) {
        return Fail(error, "tcsetattr");
    }
    return true;
}

bool SetNonBlocking(int fd, std::string& error) {
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0) {
        return Fail(error, "fcntl");
    }
    return true;
}

std::optional<std::string> PrepareMaster(int master, std::string& error) {
    std::array<char, 128> name{};
    if (grantpt(master) != 0 || unlockpt(master) != 0) {
        Fail(error, "grantpt/unlockpt");
        return std::nullopt;
    }
    if (ptsname_r(master, name.data(), name.size()) != 0) {
        Fail(error, "ptsname_r");
        return std::nullopt;
    }
    if (!MakeRaw(master, error) || !SetNonBlocking(master, error)) {
        return std::nullopt;
    }
    return std::string(name.data());
}

}  // namespace

std::optional<PtyDevice> PtyDevice::Open(std::string& error) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        Fail(error, "posix_openpt");
        return std::nullopt;
    }
    const std::optional<std::string> slave_path = PrepareMaster(master, error);
    const int slave = slave_path ? open(slave_path->c_str(), O_RDWR | O_NOCTTY) : -1;
    if (slave < 0) {
        if (slave_path) {
            Fail(error, "open slave");
        }
        close(master);
        return std::nullopt;
    }
    return PtyDevice(master, slave, *slave_path);
}

PtyDevice::PtyDevice(PtyDevice&& other) noexcept
    : master_(std::exchange(other.master_, -1)),
      slave_(std::exchange(other.slave_, -1)),
      slave_path_(std::move(other.slave_path_)) {}

PtyDevice::~PtyDevice() {
    if (slave_ >= 0) {
        close(slave_);
    }
    if (master_ >= 0) {
        close(master_);
    }
}

}  // namespace quellmark::modem_sim

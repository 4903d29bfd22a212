#pragma once

#include <utility>

#include "winsock_api.h"

namespace quellmark {

// Owns a socket and closes it once.
class UniqueSocket {
public:
    UniqueSocket() = default;
    explicit UniqueSocket(SOCKET socket) : socket_(socket) {}
    ~UniqueSocket() { Reset(); }
    UniqueSocket(UniqueSocket&& other) noexcept
        : socket_(std::exchange(other.socket_, INVALID_SOCKET)) {}
    UniqueSocket& operator=(UniqueSocket&& other) noexcept {
        if (this != &other) {
            Reset();
            socket_ = std::exchange(other.socket_, INVALID_SOCKET);
        }
        return *this;
    }
    UniqueSocket(const UniqueSocket&) = delete;
    UniqueSocket& operator=(const UniqueSocket&) = delete;

    SOCKET Get() const { return socket_; }
    explicit operator bool() const { return socket_ != INVALID_SOCKET; }
    void Reset() {
        if (*this) {
            Winsock().closeSocket(socket_);
        }
        socket_ = INVALID_SOCKET;
    }

private:
    SOCKET socket_ = INVALID_SOCKET;
};

// Winsock is usable while one of these lives. Each user holds its own, so that Winsock ends with
// the last of them, on whichever thread that is.
class WinsockUse {
public:
    WinsockUse() {
        WSADATA data;
        started_ = Winsock().startup && Winsock().startup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinsockUse() {
        if (started_) {
            Winsock().cleanup();
        }
    }
    WinsockUse(const WinsockUse&) = delete;
    WinsockUse& operator=(const WinsockUse&) = delete;

    bool Started() const { return started_; }

private:
    bool started_ = false;
};

}  // namespace quellmark

#include "wire_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quellmark::modem_sim {

namespace {

std::string Escaped(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        if (c == '\r') {
            text += "\\r";
        } else if (c == '\n') {
            text += "\\n";
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
            text += hex;
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace

WireLog::~WireLog() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

bool WireLog::Open(const std::string& path, std::string& error) {
    if (path.empty()) {
        return true;
    }
    fd_ = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        error = "log " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

void WireLog::Received(std::string_view raw_line) {
    // One write per line, unbuffered, so a reader sees each line whole as soon as it arrives.
    if (fd_ >= 0 && write(fd_, raw_line.data(), raw_line.size()) < 0) {
        std::fprintf(stderr, "log write failed: %s\n", std::strerror(errno));
    }
    std::fprintf(stderr, "<< %s\n", Escaped(raw_line).c_str());
}

void WireLog::Sent(std::string_view bytes) {
    std::fprintf(stderr, ">> %s\n", Escaped(bytes).c_str());
}

}  // namespace quellmark::modem_sim

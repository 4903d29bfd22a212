#include "serve.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "line_pace.h"
#include "stop_signals.h"

namespace quellmark::modem_sim {

namespace {

constexpr int kChunkPauseMs = 2;

// The master is non-blocking: when the device end is not being read its buffer fills, and
// the wait for room must still give way to a stop request.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
        } else if (errno == EAGAIN) {
            if (!WaitFor(fd, POLLOUT, -1) && StopRequested()) {
                return false;
            }
        } else if (errno != EINTR) {
            std::fprintf(stderr, "write: %s\n", std::strerror(errno));
            return false;
        }
    }
    return true;
}

bool Send(int fd, const Exchange& exchange, WireLog& log) {
    if (exchange.pieces.empty()) {
        return true;
    }
    std::string answer;
    for (std::size_t i = 0; i < exchange.pieces.size(); ++i) {
        if (i > 0) {
            Pause(kChunkPauseMs);
        }
        if (!WriteAll(fd, exchange.pieces[i])) {
            return false;
        }
        answer += exchange.pieces[i];
    }
    log.Sent(answer);
    return true;
}

// What a gateway in front of the device has set the line to by the time the first command comes:
// a command that came earlier would have gone out on other settings, and a gateway may put its
// own settings back once the client has gone.
void RecordSettings(int device, const std::string& path) {
    termios tty{};
    std::FILE* const file =
        path.empty() || tcgetattr(device, &tty) != 0 ? nullptr : std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        return;
    }
    std::fprintf(file, "%s %s%c%c%s", cfgetospeed(&tty) == B9600 ? "9600" : "not-9600",
                 (tty.c_cflag & CSIZE) == CS8 ? "8" : "not-8", tty.c_cflag & PARENB ? 'P' : 'N',
                 tty.c_cflag & CSTOPB ? '2' : '1',
                 (tty.c_cflag & CRTSCTS) || (tty.c_iflag & (IXON | IXOFF)) ? " flow" : "");
    std::fclose(file);
}

}  // namespace

int Serve(const PtyDevice& pty, Responder& responder, WireLog& log, const Options& options) {
    std::array<char, 512> buffer{};
    LinePace pace(pty.device(), options.pace_baud);
    int lines = 0;
    while (!StopRequested()) {
        if (!WaitFor(pty.master(), POLLIN, pace.Update())) {
            continue;
        }
        const ssize_t count = read(pty.master(), buffer.data(), buffer.size());
        if (count < 0 && (errno == EAGAIN || errno == EINTR)) {
            continue;
        }
        if (count <= 0) {
            std::fprintf(stderr, "read: %s\n", count == 0 ? "end of input" : std::strerror(errno));
            return 1;
        }
        pace.Received(static_cast<std::size_t>(count));
        const std::string_view received(buffer.data(), static_cast<std::size_t>(count));
        for (const Exchange& exchange : responder.Feed(received)) {
            log.Received(exchange.received);
            if (lines == 0) {
                RecordSettings(pty.device(), options.settings_path);
            }
            if (++lines == options.hangup_after) {
                return 0;  // unanswered, and the device goes with the simulator
            }
            Pause(options.delay_ms);
            if (!Send(pty.master(), exchange, log)) {
                return StopRequested() ? 0 : 1;
            }
        }
    }
    return 0;
}

}  // namespace quellmark::modem_sim

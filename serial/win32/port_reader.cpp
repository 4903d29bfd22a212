#include "port_reader.h"

#include <utility>

namespace quellmark {

namespace {

// The driver's receive buffer is 1024 bytes; one read takes at most that much.
constexpr DWORD kChunkBytes = 1024;

void ReadUntilStopped(IoThreadLink& link, HANDLE port, const LineReading& reading,
                      const std::function<void(std::string_view)>& onBytes,
                      const std::function<void()>& onFailure) {
    // The buffer and event live on this thread, which may outlive its owner.
    char buffer[kChunkBytes];
    const UniqueHandle done = CreateManualResetEvent();
    for (;;) {
        DWORD count = 0;
        const IoOutcome outcome = reading.read(port, buffer, done.Get(), link.Stop(), count);
        if (outcome == IoOutcome::kStopped) {
            return;
        }
        if (outcome == IoOutcome::kDone && count > 0) {
            link.Report([&] { onBytes(std::string_view(buffer, count)); });
            continue;
        }
        // A read that succeeds with nothing is neither data nor loss, unless the line is gone.
        if (outcome == IoOutcome::kFailed || !reading.lineAnswers(port)) {
            link.Report(onFailure);
            return;
        }
        if (WaitForSingleObject(link.Stop(), DWORD(reading.emptyReadPause.count())) !=
            WAIT_TIMEOUT) {
            return;
        }
    }
}

}  // namespace

IoOutcome ReadOverlapped(HANDLE port, std::span<char> buffer, HANDLE done, HANDLE stop,
                         DWORD& count) {
    OVERLAPPED io{};
    io.hEvent = done;
    const BOOL started = ReadFile(port, buffer.data(), DWORD(buffer.size()), &count, &io);
    return FinishIo(port, io, started, stop, count);
}

bool LineAnswers(HANDLE port) {
    DWORD errors = 0;
    COMSTAT status{};
    return ClearCommError(port, &errors, &status) != 0;
}

PortReader::PortReader(std::shared_ptr<const UniqueHandle> port, LineReading reading,
                       std::function<void(std::string_view)> onBytes,
                       std::function<void()> onFailure)
    : thread_([port = std::move(port), reading = std::move(reading), onBytes = std::move(onBytes),
               onFailure = std::move(onFailure)](IoThreadLink& link) {
          ReadUntilStopped(link, port->Get(), reading, onBytes, onFailure);
      }) {}

}  // namespace quellmark

#include "port_reader.h"

#include <algorithm>
#include <utility>

namespace quellmark {

namespace {

// The driver's receive buffer is 1024 bytes; one read takes at most that much.
constexpr DWORD kChunkBytes = 1024;

}  // namespace

PortReader::PortReader(HANDLE port, std::function<void(std::string_view)> onBytes,
                       std::function<void()> onFailure)
    : port_(port), onBytes_(std::move(onBytes)), onFailure_(std::move(onFailure)) {
    thread_ = std::thread([this] { Run(); });
}

PortReader::~PortReader() {
    SetEvent(stop_.Get());
    thread_.join();
}

void PortReader::Run() {
    char buffer[kChunkBytes];
    for (;;) {
        // One byte blocks until the line brings something; the rest of what has come is then
        // taken without waiting.
        DWORD count = 0;
        IoOutcome outcome = Read(buffer, 1, count);
        if (outcome == IoOutcome::kDone && count == 1) {
            DWORD more = 0;
            const DWORD queued = std::min(QueuedBytes(), kChunkBytes - 1);
            outcome = queued == 0 ? outcome : Read(buffer + 1, queued, more);
            count += more;
        }
        if (outcome == IoOutcome::kStopped) {
            return;
        }
        if (outcome == IoOutcome::kFailed) {
            onFailure_();
            return;
        }
        if (count > 0) {
            onBytes_(std::string_view(buffer, count));
        }
    }
}

IoOutcome PortReader::Read(char* buffer, DWORD size, DWORD& count) {
    OVERLAPPED io{};
    io.hEvent = readDone_.Get();
    const BOOL started = ReadFile(port_, buffer, size, &count, &io);
    return FinishIo(port_, io, started, stop_.Get(), count);
}

DWORD PortReader::QueuedBytes() const {
    DWORD errors = 0;
    COMSTAT status{};
    return ClearCommError(port_, &errors, &status) ? status.cbInQue : 0;
}

}  // namespace quellmark

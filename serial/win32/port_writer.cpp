#include "port_writer.h"

#include <utility>

namespace quellmark {

PortWriter::PortWriter(HANDLE port, std::function<void()> onFailure)
    : port_(port), onFailure_(std::move(onFailure)) {
    thread_ = std::thread([this] { Run(); });
}

PortWriter::~PortWriter() {
    SetEvent(stop_.Get());
    thread_.join();
}

bool PortWriter::Enqueue(std::string bytes) {
    const std::lock_guard lock(mutex_);
    if (queuedBytes_ + bytes.size() > kQueueLimitBytes) {
        return false;
    }
    queuedBytes_ += bytes.size();
    queue_.push_back(std::move(bytes));
    ResetEvent(idle_.Get());
    SetEvent(queued_.Get());
    return true;
}

void PortWriter::Drain(std::chrono::milliseconds limit) {
    WaitForSingleObject(idle_.Get(), DWORD(limit.count()));
}

void PortWriter::Run() {
    const HANDLE wakers[] = {queued_.Get(), stop_.Get()};
    IoOutcome outcome = IoOutcome::kDone;
    while (outcome == IoOutcome::kDone &&
           WaitForMultipleObjects(2, wakers, FALSE, INFINITE) == WAIT_OBJECT_0) {
        for (;;) {
            std::string bytes;
            {
                const std::lock_guard lock(mutex_);
                if (queue_.empty()) {
                    SetEvent(idle_.Get());
                    break;
                }
                bytes = std::move(queue_.front());
                queue_.pop_front();
            }
            outcome = WriteAll(bytes);
            {
                const std::lock_guard lock(mutex_);
                queuedBytes_ -= bytes.size();
            }
            if (outcome != IoOutcome::kDone) {
                break;
            }
        }
    }
    SetEvent(idle_.Get());
    if (outcome == IoOutcome::kFailed) {
        onFailure_();
    }
}

IoOutcome PortWriter::WriteAll(const std::string& bytes) {
    for (std::size_t sent = 0; sent < bytes.size();) {
        OVERLAPPED io{};
        io.hEvent = writeDone_.Get();
        DWORD count = 0;
        const BOOL started =
            WriteFile(port_, bytes.data() + sent, DWORD(bytes.size() - sent), &count, &io);
        const IoOutcome outcome = FinishIo(port_, io, started, stop_.Get(), count);
        if (outcome != IoOutcome::kDone) {
            return outcome;
        }
        // No write time-out is set, so a write that moved nothing would only repeat itself.
        if (count == 0) {
            return IoOutcome::kFailed;
        }
        sent += count;
    }
    return IoOutcome::kDone;
}

}  // namespace quellmark

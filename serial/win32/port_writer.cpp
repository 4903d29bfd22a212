#include "port_writer.h"

#include <optional>
#include <utility>

namespace quellmark {

namespace {

IoOutcome WriteAll(HANDLE port, const std::string& bytes, HANDLE done, HANDLE stop) {
    for (std::size_t sent = 0; sent < bytes.size();) {
        OVERLAPPED io{};
        io.hEvent = done;
        DWORD count = 0;
        const BOOL started =
            WriteFile(port, bytes.data() + sent, DWORD(bytes.size() - sent), &count, &io);
        const IoOutcome outcome = FinishIo(port, io, started, stop, count);
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

std::optional<std::string> NextText(PortWriter::Queue& queue) {
    const std::lock_guard lock(queue.mutex);
    if (queue.texts.empty()) {
        SetEvent(queue.idle.Get());
        return std::nullopt;
    }
    std::string text = std::move(queue.texts.front());
    queue.texts.pop_front();
    return text;
}

// Writes each text as it is queued until stopped or a write fails.
IoOutcome WriteUntilStopped(IoThreadLink& link, HANDLE port, PortWriter::Queue& queue,
                            const std::function<void()>& onSent) {
    const UniqueHandle done = CreateManualResetEvent();
    const HANDLE wakers[] = {queue.queued.Get(), link.Stop()};
    while (WaitForMultipleObjects(2, wakers, FALSE, INFINITE) == WAIT_OBJECT_0) {
        // Once stopped, what is still queued is dropped: Close has given it its time.
        while (WaitForSingleObject(link.Stop(), 0) == WAIT_TIMEOUT) {
            const std::optional<std::string> text = NextText(queue);
            if (!text) {
                link.Report(onSent);
                break;
            }
            const IoOutcome outcome = WriteAll(port, *text, done.Get(), link.Stop());
            {
                const std::lock_guard lock(queue.mutex);
                queue.bytes -= text->size();
            }
            if (outcome != IoOutcome::kDone) {
                return outcome;
            }
        }
    }
    return IoOutcome::kStopped;
}

}  // namespace

PortWriter::PortWriter(std::shared_ptr<const UniqueHandle> port, std::function<void()> onFailure,
                       std::function<void()> onSent)
    : thread_([port = std::move(port), queue = queue_, onFailure = std::move(onFailure),
               onSent = std::move(onSent)](IoThreadLink& link) {
          const IoOutcome outcome = WriteUntilStopped(link, port->Get(), *queue, onSent);
          SetEvent(queue->idle.Get());
          if (outcome == IoOutcome::kFailed) {
              link.Report(onFailure);
          }
      }) {}

bool PortWriter::Enqueue(std::string bytes) {
    const std::lock_guard lock(queue_->mutex);
    if (queue_->bytes + bytes.size() > kQueueLimitBytes) {
        return false;
    }
    queue_->bytes += bytes.size();
    queue_->texts.push_back(std::move(bytes));
    ResetEvent(queue_->idle.Get());
    SetEvent(queue_->queued.Get());
    return true;
}

void PortWriter::Drain(std::chrono::milliseconds limit) {
    WaitForSingleObject(queue_->idle.Get(), DWORD(limit.count()));
}

std::size_t PortWriter::QueuedBytes() const {
    const std::lock_guard lock(queue_->mutex);
    return queue_->bytes;
}

}  // namespace quellmark

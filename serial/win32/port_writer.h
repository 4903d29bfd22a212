#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "io_thread.h"
#include "overlapped_io.h"
#include "unique_handle.h"

namespace quellmark {

// Hands queued texts to the port on an IoThread, each whole and in the order queued, so that a
// device that stops taking bytes holds up that thread and never the caller's. A failing write
// (the device gone) goes to `onFailure` once, on the writer's thread, and writing ends there.
// `onSent` runs on the writer's thread each time it has handed over everything queued.
// Destruction stops the thread, cancelling a write in progress.
class PortWriter {
public:
    // Over a minute of sending at 9600 baud: a device that has not taken this much is not taking
    // anything.
    static constexpr std::size_t kQueueLimitBytes = 64 * 1024;

    PortWriter(std::shared_ptr<const UniqueHandle> port, std::function<void()> onFailure,
               std::function<void()> onSent);

    // False, and nothing queued, when the text would take the queue past its limit.
    bool Enqueue(std::string bytes);
    // Waits until everything queued has been handed over, writing has ended, or `limit` is up.
    void Drain(std::chrono::milliseconds limit);
    // Bytes queued and not yet handed over.
    std::size_t QueuedBytes() const;

    // Shared with the writer's thread, which may outlive this object.
    struct Queue {
        std::mutex mutex;
        std::deque<std::string> texts;
        std::size_t bytes = 0;
        UniqueHandle queued = UniqueHandle(CreateEventW(nullptr, FALSE, FALSE, nullptr));
        // Signalled while nothing is queued or being written, and once writing has ended.
        UniqueHandle idle = UniqueHandle(CreateEventW(nullptr, TRUE, TRUE, nullptr));
    };

private:
    std::shared_ptr<Queue> queue_ = std::make_shared<Queue>();
    IoThread thread_;
};

}  // namespace quellmark

#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "overlapped_io.h"
#include "unique_handle.h"

namespace quellmark {

// Hands queued texts to the port on a thread of its own, each whole and in the order queued, so
// that a device that stops taking bytes holds up this thread and never the caller's. A failing
// write (the device gone) goes to `onFailure` once, on the writer's thread, and writing ends
// there. Destruction stops and joins the thread, cancelling a write in progress.
class PortWriter {
public:
    // Over a minute of sending at 9600 baud: a device that has not taken this much is not taking
    // anything.
    static constexpr std::size_t kQueueLimitBytes = 64 * 1024;

    PortWriter(HANDLE port, std::function<void()> onFailure);
    ~PortWriter();
    PortWriter(const PortWriter&) = delete;
    PortWriter& operator=(const PortWriter&) = delete;

    // False, and nothing queued, when the text would take the queue past its limit.
    bool Enqueue(std::string bytes);
    // Waits until everything queued has been handed over, writing has ended, or `limit` is up.
    void Drain(std::chrono::milliseconds limit);

private:
    void Run();
    IoOutcome WriteAll(const std::string& bytes);

    HANDLE port_;
    std::function<void()> onFailure_;
    std::mutex mutex_;
    std::deque<std::string> queue_;
    std::size_t queuedBytes_ = 0;
    UniqueHandle stop_ = CreateManualResetEvent();
    UniqueHandle queued_ = UniqueHandle(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    // Signalled while nothing is queued or being written, and once the thread has ended.
    UniqueHandle idle_ = UniqueHandle(CreateEventW(nullptr, TRUE, TRUE, nullptr));
    UniqueHandle writeDone_ = CreateManualResetEvent();
    std::thread thread_;
};

}  // namespace quellmark

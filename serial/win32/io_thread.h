#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "unique_handle.h"

namespace quellmark {

// What an I/O thread shares with its owner; both hold it, so a thread left behind keeps it.
class IoThreadLink {
public:
    // Signalled when the owner wants the thread to end.
    HANDLE Stop() const { return stop_.Get(); }
    // Runs `report`, which reaches the owner, unless the owner has left the thread behind. An
    // owner leaving waits for a report in progress.
    void Report(const std::function<void()>& report);

private:
    friend class IoThread;

    UniqueHandle stop_ = CreateManualResetEvent();
    UniqueHandle finished_ = CreateManualResetEvent();
    std::mutex mutex_;
    bool ownerGone_ = false;
};

// A thread for blocking overlapped I/O. Destruction signals Stop() and waits at most kStopLimit
// for `body` to return: a driver whose cancelled I/O never completes must not hold up the window
// thread. A body still running then is left to finish alone, so everything it touches (buffers,
// OVERLAPPED, events, the port handle) must be its own or shared with it, and whatever reaches the
// owner must go through IoThreadLink::Report.
class IoThread {
public:
    static constexpr std::chrono::milliseconds kStopLimit{500};

    explicit IoThread(std::function<void(IoThreadLink&)> body);
    ~IoThread();
    IoThread(const IoThread&) = delete;
    IoThread& operator=(const IoThread&) = delete;

private:
    std::shared_ptr<IoThreadLink> link_ = std::make_shared<IoThreadLink>();
    std::thread thread_;
};

}  // namespace quellmark

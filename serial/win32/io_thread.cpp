#include "io_thread.h"

#include <utility>

namespace quellmark {

void IoThreadLink::Report(const std::function<void()>& report) {
    const std::lock_guard lock(mutex_);
    if (!ownerGone_) {
        report();
    }
}

IoThread::IoThread(std::function<void(IoThreadLink&)> body)
    : thread_([link = link_, body = std::move(body)] {
          body(*link);
          SetEvent(link->finished_.Get());
      }) {}

IoThread::~IoThread() {
    SetEvent(link_->Stop());
    if (WaitForSingleObject(link_->finished_.Get(), DWORD(kStopLimit.count())) == WAIT_OBJECT_0) {
        thread_.join();
        return;
    }
    {
        const std::lock_guard lock(link_->mutex_);
        link_->ownerGone_ = true;
    }
    thread_.detach();
}

}  // namespace quellmark

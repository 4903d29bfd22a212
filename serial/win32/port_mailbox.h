#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>

namespace quellmark {

// What the reader and writer threads leave for the window thread: the bytes received and whether
// the line has failed. It keeps at most one notice on its way to the window thread: a producer
// posts one only when told to.
class PortMailbox {
public:
    // Both return true when the caller must post a notice.
    bool AddReceived(std::string_view bytes);
    bool MarkLost();

    // On the window thread, when a notice arrives: the next change needs a new notice. Returns
    // whether the line has failed.
    bool TakeNotice();
    std::size_t Size() const;
    std::string TakeAll();
    // Empties it and forgets any failure: the line has closed.
    void Reset();

private:
    bool NeedsNotice();

    mutable std::mutex mutex_;
    std::string received_;
    bool noticePending_ = false;
    bool lost_ = false;
};

}  // namespace quellmark

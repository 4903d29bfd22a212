#pragma once

#include <windows.h>

#include <functional>
#include <string_view>
#include <thread>

#include "overlapped_io.h"
#include "unique_handle.h"

namespace quellmark {

// Reads the port on a thread of its own, blocked in the driver until bytes arrive. Hands every
// piece received to `onBytes`; a failing read (the device gone) goes to `onFailure` once, and the
// reading ends there. Both run on the reader's thread. Destruction stops and joins it.
class PortReader {
public:
    PortReader(HANDLE port, std::function<void(std::string_view)> onBytes,
               std::function<void()> onFailure);
    ~PortReader();
    PortReader(const PortReader&) = delete;
    PortReader& operator=(const PortReader&) = delete;

private:
    void Run();
    IoOutcome Read(char* buffer, DWORD size, DWORD& count);
    DWORD QueuedBytes() const;

    HANDLE port_;
    std::function<void(std::string_view)> onBytes_;
    std::function<void()> onFailure_;
    UniqueHandle stop_ = CreateManualResetEvent();
    UniqueHandle readDone_ = CreateManualResetEvent();
    std::thread thread_;
};

}  // namespace quellmark

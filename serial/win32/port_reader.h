#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

#include "io_thread.h"
#include "overlapped_io.h"
#include "unique_handle.h"

namespace quellmark {

// One overlapped read of up to buffer.size() bytes on `port`, finished with FinishIo; `done` is
// the manual-reset event for its OVERLAPPED.
IoOutcome ReadOverlapped(HANDLE port, std::span<char> buffer, HANDLE done, HANDLE stop,
                         DWORD& count);
// Whether the driver still answers for the line (ClearCommError succeeds).
bool LineAnswers(HANDLE port);

// How the reader reaches the line. The port's own are the device's; tests put in others.
struct LineReading {
    std::function<IoOutcome(HANDLE port, std::span<char> buffer, HANDLE done, HANDLE stop,
                            DWORD& count)>
        read = ReadOverlapped;
    std::function<bool(HANDLE port)> lineAnswers = LineAnswers;
    // How long a read that brought nothing is followed by a pause, so that a driver completing
    // reads with no bytes does not make the reader spin.
    std::chrono::milliseconds emptyReadPause{20};
};

// Reads the port on an IoThread, blocked in the driver until bytes arrive and the line goes quiet
// (the read time-outs are set when the port opens). Hands every piece received to `onBytes`; a
// failing read, or a line the driver no longer answers for, goes to `onFailure` once, and the
// reading ends there. Both run on the reader's thread.
class PortReader {
public:
    PortReader(std::shared_ptr<const UniqueHandle> port, LineReading reading,
               std::function<void(std::string_view)> onBytes, std::function<void()> onFailure);

private:
    IoThread thread_;
};

}  // namespace quellmark

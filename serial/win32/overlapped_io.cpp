#include "overlapped_io.h"

namespace quellmark {

IoOutcome FinishIo(HANDLE port, OVERLAPPED& io, BOOL started, HANDLE stop, DWORD& count) {
    if (!started && GetLastError() != ERROR_IO_PENDING) {
        return IoOutcome::kFailed;
    }
    if (!started) {
        const HANDLE events[] = {io.hEvent, stop};
        if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0) {
            CancelIoEx(port, &io);
            // The operation must be over before its OVERLAPPED and buffer go away.
            GetOverlappedResult(port, &io, &count, TRUE);
            return IoOutcome::kStopped;
        }
    }
    return GetOverlappedResult(port, &io, &count, FALSE) ? IoOutcome::kDone : IoOutcome::kFailed;
}

}  // namespace quellmark

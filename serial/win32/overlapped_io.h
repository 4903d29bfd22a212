#pragma once

#include <windows.h>

namespace quellmark {

enum class IoOutcome { kDone, kStopped, kFailed };

// Finishes an overlapped ReadFile or WriteFile on `port` that returned `started`: waits until it
// completes or `stop` is signalled, in which case it is cancelled and waited for, however long the
// driver takes (see IoThread). `count` receives the bytes moved. `io.hEvent` must be a
// manual-reset event.
IoOutcome FinishIo(HANDLE port, OVERLAPPED& io, BOOL started, HANDLE stop, DWORD& count);

}  // namespace quellmark

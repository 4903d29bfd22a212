#pragma once

#include <windows.h>

#include <chrono>

namespace quellmark {

// Waits at most `limit` for `event` on a thread that runs windows, painting them meanwhile and
// answering messages that other threads send; input and posted messages wait in the queue, so
// that nothing the user does reaches the program's handlers before the wait ends. True when
// `event` came.
bool WaitPainting(HANDLE event, std::chrono::milliseconds limit);

}  // namespace quellmark

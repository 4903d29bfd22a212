#include "painting_wait.h"

namespace quellmark {

namespace {

// Messages that other threads send are answered inside PeekMessageW, whatever it filters.
void PaintWaitingWindows() {
    for (MSG message; PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);) {
        DispatchMessageW(&message);
    }
}

}  // namespace

bool WaitPainting(HANDLE event, std::chrono::milliseconds limit) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + limit;
    for (;;) {
        PaintWaitingWindows();
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        const DWORD woken = MsgWaitForMultipleObjectsEx(
            1, &event, left > 0 ? DWORD(left) : 0, QS_PAINT | QS_SENDMESSAGE, MWMO_INPUTAVAILABLE);
        if (woken != WAIT_OBJECT_0 + 1 || left <= 0) {
            return woken == WAIT_OBJECT_0;
        }
    }
}

}  // namespace quellmark

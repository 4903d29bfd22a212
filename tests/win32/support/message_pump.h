#pragma once

#include <windows.h>

#include <functional>

namespace quellmark::test_support {

// Delivers this thread's messages until `done` holds or `timeoutMs` has passed; returns `done`.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (MSG message;;) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        const ULONGLONG now = GetTickCount64();
        if (done() || now >= end) {
            return done();
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(end - now), QS_ALLINPUT);
    }
}

}  // namespace quellmark::test_support

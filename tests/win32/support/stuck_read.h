#pragma once

#include <windows.h>

#include <span>

#include "port_reader.h"
#include "unique_handle.h"

namespace quellmark::test_support {

// A driver's read that ignores cancellation: it signals `entered` and ends only once `released`
// is signalled, then with one byte. Once stopped, the next read ends at once. It gives up after a
// few seconds, so that a Close that waits for it fails its test instead of hanging it.
struct StuckRead {
    UniqueHandle entered = CreateManualResetEvent();
    UniqueHandle released = CreateManualResetEvent();

    LineReading Reading() const {
        return {[entered = entered.Get(), released = released.Get()](
                    HANDLE, std::span<char> buffer, HANDLE, HANDLE stop, DWORD& count) {
            if (WaitForSingleObject(stop, 0) == WAIT_OBJECT_0) {
                return IoOutcome::kStopped;
            }
            SetEvent(entered);
            WaitForSingleObject(released, 3000);
            buffer[0] = 'x';
            count = 1;
            return IoOutcome::kDone;
        }};
    }
};

}  // namespace quellmark::test_support

#pragma once

#include <windows.h>

namespace quellmark::win32 {

// A DLL of Windows itself, loaded from the system folder (never from beside the program) and kept
// for the rest of the run; null when this Windows lacks it. For what the first paint does not
// need: a DLL loaded here costs nothing at start-up, as an import would.
HMODULE LoadSystemLibrary(const wchar_t* name);

// Sets `function` to the function `name` of `library`; to null when `library` is null or lacks it.
template <typename Function>
void FindFunction(HMODULE library, const char* name, Function& function) {
    function = nullptr;
    if (library != nullptr) {
        // Through the generic function pointer type, which converts to any other without a warning.
        function =
            reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
    }
}

}  // namespace quellmark::win32

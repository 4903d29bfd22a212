#include "dpi_functions.h"

namespace quellmark::win32 {

namespace {

template <typename Function>
void LookUp(HMODULE module, const char* name, Function& function) {
    if (module == nullptr) {
        return;
    }
    // Through the generic function pointer type, which converts to any other without a warning.
    function =
        reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

DpiFunctions LookUpDpiFunctions() {
    DpiFunctions functions;
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    LookUp(user32, "GetDpiForWindow", functions.getDpiForWindow);
    LookUp(user32, "AdjustWindowRectExForDpi", functions.adjustWindowRectExForDpi);
    LookUp(user32, "GetSystemMetricsForDpi", functions.getSystemMetricsForDpi);
    LookUp(user32, "SystemParametersInfoForDpi", functions.systemParametersInfoForDpi);
    LookUp(user32, "EnableNonClientDpiScaling", functions.enableNonClientDpiScaling);
    // Only from the system folder, never from beside the program. Windows 7 has no shcore.dll
    // (and without update KB2533623 refuses the flag); both leave the function out.
    const HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    LookUp(shcore, "GetDpiForMonitor", functions.getDpiForMonitor);
    return functions;
}

}  // namespace

const DpiFunctions& AvailableDpiFunctions() {
    static const DpiFunctions functions = LookUpDpiFunctions();
    return functions;
}

}  // namespace quellmark::win32

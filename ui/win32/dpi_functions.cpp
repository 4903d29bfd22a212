#include "dpi_functions.h"

#include "system_library.h"

namespace quellmark::win32 {

namespace {

DpiFunctions LookUpDpiFunctions() {
    DpiFunctions functions;
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    FindFunction(user32, "GetDpiForWindow", functions.getDpiForWindow);
    FindFunction(user32, "AdjustWindowRectExForDpi", functions.adjustWindowRectExForDpi);
    FindFunction(user32, "GetSystemMetricsForDpi", functions.getSystemMetricsForDpi);
    FindFunction(user32, "SystemParametersInfoForDpi", functions.systemParametersInfoForDpi);
    FindFunction(user32, "EnableNonClientDpiScaling", functions.enableNonClientDpiScaling);
    // Only where GetDpiForWindow is missing, its one stand-in; Windows 7 has no shcore.dll.
    if (functions.getDpiForWindow == nullptr) {
        FindFunction(LoadSystemLibrary(L"shcore.dll"), "GetDpiForMonitor",
                     functions.getDpiForMonitor);
    }
    return functions;
}

}  // namespace

const DpiFunctions& AvailableDpiFunctions() {
    static const DpiFunctions functions = LookUpDpiFunctions();
    return functions;
}

}  // namespace quellmark::win32

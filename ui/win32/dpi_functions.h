#pragma once

#include <windows.h>

namespace quellmark::win32 {

// The per-monitor dpi functions that Windows 7 lacks (Windows 8.1 brought GetDpiForMonitor,
// Windows 10 1607 the rest), looked up at run time so that the program starts on Windows 7 too.
// A null member is one this Windows lacks; the system-dpi way stands in for it.
struct DpiFunctions {
    UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
    HRESULT(WINAPI* getDpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;
    BOOL(WINAPI* systemParametersInfoForDpi)(UINT, UINT, void*, UINT, UINT) = nullptr;
    BOOL(WINAPI* enableNonClientDpiScaling)(HWND) = nullptr;
};

// Those this Windows has, looked up once.
const DpiFunctions& AvailableDpiFunctions();

}  // namespace quellmark::win32

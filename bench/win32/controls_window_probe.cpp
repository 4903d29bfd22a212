// The program's window without its logic: the same standard controls, created from the same
// element table with the same classes, styles, captions, places and font, and the program's
// resources and manifest; no controller, serial port, tooltips, screen-reader texts, drawing of
// its own or dpi handling. What the real window's start-up is measured against.
#include <windows.h>

#include <commctrl.h>

#include "element_table.h"
#include "first_paint.h"
#include "text_conversion.h"

namespace {

using namespace quellmark;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
            bench::ReportFirstPaint(window);
            return result;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void CreateControls(HWND window, HINSTANCE instance) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    for (const ElementDescription* element : win32::CreationOrder()) {
        const win32::ControlClass control = win32::ClassFor(element->kind);
        const ElementGeometry place = win32::ClientGeometry(*element);
        const auto id = static_cast<INT_PTR>(win32::IdOf(win32::ControlNamed(element->name)));
        const HWND created = CreateWindowExW(control.exStyle, control.windowClass,
                                             win32::ToWide(element->caption).c_str(), control.style,
                                             place.x, place.y, place.width, place.height, window,
                                             reinterpret_cast<HMENU>(id), instance, nullptr);
        SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"ControlsWindowProbe";
    RegisterClassExW(&windowClass);
    RECT frame{0, 0, kWindowWidth, kWindowHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    const HWND window = CreateWindowExW(
        0, windowClass.lpszClassName, L"Quellmark", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    CreateControls(window, instance);
    ShowWindow(window, showCommand);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}

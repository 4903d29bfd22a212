// The program's own start-up, from wWinMain to the window's first paint, with its resources and
// manifest. The window is watched through a subclass; the program's code is unchanged.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "first_paint.h"
#include "form1.h"
#include "message_loop.h"
#include "open_line.h"
#include "port_descriptions.h"

namespace {

LRESULT CALLBACK WatchPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_PAINT) {
        quellmark::bench::ReportFirstPaint(window);
    }
    return result;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    quellmark::Form1 form(quellmark::NumberedSystemPort(), quellmark::DescribeSystemPorts);
    SetWindowSubclass(form.Handle(), WatchPaint, 0, 0);
    ShowWindow(form.Handle(), showCommand);
    return quellmark::win32::RunMessageLoop(form.Handle());
}

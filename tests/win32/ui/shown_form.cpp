#include "shown_form.h"

namespace quellmark::testing {

namespace {

// The trackbar's class is registered here, as the program does it first thing.
const INITCOMMONCONTROLSEX kControls{sizeof(kControls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
[[maybe_unused]] const bool kControlsRegistered = InitCommonControlsEx(&kControls);

}  // namespace

Capture::Capture(HWND control) {
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT client{};
    GetClientRect(control, &client);
    width = client.right;
    height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC screen = GetDC(control);
    const HDC memory = CreateCompatibleDC(screen);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* bgr = static_cast<const RGBQUAD*>(bits);
    for (int i = 0; i < width * height; ++i) {
        pixels.push_back(RGB(bgr[i].rgbRed, bgr[i].rgbGreen, bgr[i].rgbBlue));
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(control, screen);
    DeleteObject(bitmap);
}

}  // namespace quellmark::testing

#include "wrapping_button.h"

#include <uxtheme.h>
#include <vssym32.h>

#include "text_conversion.h"

namespace quellmark::win32 {

namespace {

void DrawFrame(const DRAWITEMSTRUCT& item, bool pushed, bool disabled) {
    RECT frame = item.rcItem;
    // The button's own theme, which it has where buttons are drawn themed.
    if (const HTHEME theme = GetWindowTheme(item.hwndItem)) {
        const int state = disabled ? PBS_DISABLED : pushed ? PBS_PRESSED : PBS_NORMAL;
        DrawThemeBackground(theme, item.hDC, BP_PUSHBUTTON, state, &frame, nullptr);
        return;
    }
    DrawFrameControl(item.hDC, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
}

void DrawCaption(const DRAWITEMSTRUCT& item, bool pushed, bool disabled) {
    const std::wstring caption = WindowText(item.hwndItem);
    const int margin = 2 * GetSystemMetrics(SM_CXEDGE);
    RECT area = item.rcItem;
    InflateRect(&area, -margin, -margin);
    RECT lines = area;
    constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    DrawTextW(item.hDC, caption.c_str(), -1, &lines, kFormat | DT_CALCRECT);
    area.top += (area.bottom - area.top - (lines.bottom - lines.top)) / 2;
    if (pushed) {
        OffsetRect(&area, 1, 1);
    }
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextW(item.hDC, caption.c_str(), -1, &area, kFormat);
}

}  // namespace

void DrawWrappingButton(const DRAWITEMSTRUCT& item) {
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    const HGDIOBJ previousFont = font != nullptr ? SelectObject(item.hDC, font) : nullptr;
    DrawFrame(item, pushed, disabled);
    DrawCaption(item, pushed, disabled);
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = item.rcItem;
        const int inset = 2 * GetSystemMetrics(SM_CXEDGE) - 1;
        InflateRect(&focus, -inset, -inset);
        DrawFocusRect(item.hDC, &focus);
    }
    if (previousFont != nullptr) {
        SelectObject(item.hDC, previousFont);
    }
}

}  // namespace quellmark::win32

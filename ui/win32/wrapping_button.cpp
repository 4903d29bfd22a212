#include "wrapping_button.h"

#include <uxtheme.h>
#include <vssym32.h>

#include "text_conversion.h"

namespace quellmark::win32 {

namespace {

struct ButtonState {
    bool pushed;
    bool disabled;
    bool hot;
    bool focused;
    bool isDefault;
};

// Not every system reports the default state in the custom-draw state; the style tells it.
ButtonState StateOf(const NMCUSTOMDRAW& draw) {
    const HWND button = draw.hdr.hwndFrom;
    const auto style = GetWindowLongPtrW(button, GWL_STYLE);
    return {
        .pushed = (draw.uItemState & CDIS_SELECTED) != 0,
        .disabled = (draw.uItemState & CDIS_DISABLED) != 0,
        .hot = (draw.uItemState & CDIS_HOT) != 0,
        .focused = (draw.uItemState & CDIS_FOCUS) != 0,
        .isDefault =
            (draw.uItemState & CDIS_DEFAULT) != 0 || (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON,
    };
}

int ThemePartState(const ButtonState& state) {
    if (state.disabled) {
        return PBS_DISABLED;
    }
    if (state.pushed) {
        return PBS_PRESSED;
    }
    if (state.hot) {
        return PBS_HOT;
    }
    return state.isDefault || state.focused ? PBS_DEFAULTED : PBS_NORMAL;
}

// The face as the system's classic push button draws it: a default button has a dark outline
// and, pressed, a flat face. Returns the area inside the edge, where the caption and the focus
// rectangle go.
RECT DrawClassicFace(HDC dc, RECT face, const ButtonState& state) {
    if (state.isDefault) {
        FrameRect(dc, &face, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&face, -1, -1);
    }
    UINT look = DFCS_BUTTONPUSH;
    if (state.pushed) {
        look |= state.isDefault ? DFCS_FLAT : DFCS_PUSHED;
    }
    DrawFrameControl(dc, &face, DFC_BUTTON, look);
    const int edge = GetSystemMetrics(SM_CXEDGE);
    InflateRect(&face, -edge, -edge);
    return face;
}

// The caption, centred as a block of lines inside `area`.
void DrawCaption(HDC dc, HWND button, RECT area, HTHEME theme, const ButtonState& state) {
    const std::wstring caption = WindowText(button);
    constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    RECT lines = area;
    DrawTextW(dc, caption.c_str(), -1, &lines, kFormat | DT_CALCRECT);
    area.top += (area.bottom - area.top - (lines.bottom - lines.top)) / 2;
    SetBkMode(dc, TRANSPARENT);
    if (theme != nullptr) {
        DrawThemeText(theme, dc, BP_PUSHBUTTON, ThemePartState(state), caption.c_str(), -1, kFormat,
                      0, &area);
        return;
    }
    if (state.pushed) {
        OffsetRect(&area, 1, 1);
    }
    SetTextColor(dc, GetSysColor(state.disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextW(dc, caption.c_str(), -1, &area, kFormat);
}

bool ShowsFocus(HWND button, const ButtonState& state) {
    const auto uiState = SendMessageW(button, WM_QUERYUISTATE, 0, 0);
    return state.focused && (uiState & UISF_HIDEFOCUS) == 0;
}

void DrawButton(const NMCUSTOMDRAW& draw) {
    const HWND button = draw.hdr.hwndFrom;
    const ButtonState state = StateOf(draw);
    const HTHEME theme = GetWindowTheme(button);
    const HDC dc = draw.hdc;
    RECT bounds = draw.rc;
    RECT content = bounds;
    if (theme != nullptr) {
        const int partState = ThemePartState(state);
        if (IsThemeBackgroundPartiallyTransparent(theme, BP_PUSHBUTTON, partState)) {
            DrawThemeParentBackground(button, dc, &bounds);
        }
        DrawThemeBackground(theme, dc, BP_PUSHBUTTON, partState, &bounds, nullptr);
        GetThemeBackgroundContentRect(theme, dc, BP_PUSHBUTTON, partState, &bounds, &content);
    } else {
        content = DrawClassicFace(dc, bounds, state);
    }
    DrawCaption(dc, button, content, theme, state);
    if (ShowsFocus(button, state)) {
        DrawFocusRect(dc, &content);
    }
}

}  // namespace

LRESULT CustomDrawWrappingButton(const NMCUSTOMDRAW& draw) {
    if (draw.dwDrawStage != CDDS_PREPAINT) {
        return CDRF_DODEFAULT;
    }
    const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(draw.hdr.hwndFrom, WM_GETFONT, 0, 0));
    const HGDIOBJ previousFont = font != nullptr ? SelectObject(draw.hdc, font) : nullptr;
    DrawButton(draw);
    if (previousFont != nullptr) {
        SelectObject(draw.hdc, previousFont);
    }
    return CDRF_SKIPDEFAULT;
}

}  // namespace quellmark::win32

#include "gain_trackbar.h"

namespace quellmark::win32 {

void GainTrackbar::Attach(HWND trackbar, int minimum, int maximum) {
    trackbar_ = trackbar;
    // Separately: TBM_SETRANGE packs both ends into 16 bits each and would lose the sign.
    SendMessageW(trackbar_, TBM_SETRANGEMIN, FALSE, minimum);
    SendMessageW(trackbar_, TBM_SETRANGEMAX, FALSE, maximum);
    SendMessageW(trackbar_, TBM_SETLINESIZE, 0, 1);
    SendMessageW(trackbar_, TBM_SETPAGESIZE, 0, 5);
    // Some trackbars (Wine's) place the thumb when the position or their size changes, not the
    // range: from the maximum, the start position is a change.
    SendMessageW(trackbar_, TBM_SETPOS, FALSE, maximum);
    SetPosition(0);
}

int GainTrackbar::Position() const {
    return static_cast<int>(SendMessageW(trackbar_, TBM_GETPOS, 0, 0));
}

void GainTrackbar::SetPosition(int position) {
    SendMessageW(trackbar_, TBM_SETPOS, TRUE, position);
    knownPosition_ = Position();
}

bool GainTrackbar::TakeUserChange(int scrollCode) {
    // While the thumb is dragged nothing is reported; TB_THUMBPOSITION follows on release. Every
    // other code (keys, clicks on the track, the wheel) comes after the position has changed.
    if (scrollCode == TB_THUMBTRACK) {
        return false;
    }
    const int position = Position();
    if (position == knownPosition_) {
        return false;
    }
    knownPosition_ = position;
    return true;
}

LRESULT GainTrackbar::CustomDraw(const NMCUSTOMDRAW& draw) const {
    if (IsWindowEnabled(trackbar_)) {
        return CDRF_DODEFAULT;
    }
    if (draw.dwDrawStage == CDDS_PREPAINT) {
        return CDRF_NOTIFYITEMDRAW;
    }
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT || draw.dwItemSpec != TBCD_THUMB) {
        return CDRF_DODEFAULT;
    }
    RECT thumb{};
    SendMessageW(trackbar_, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    FillRect(draw.hdc, &thumb, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(draw.hdc, &thumb, GetSysColorBrush(COLOR_GRAYTEXT));
    return CDRF_SKIPDEFAULT;
}

}  // namespace quellmark::win32

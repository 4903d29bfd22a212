#pragma once

#include <windows.h>

#include <commctrl.h>

namespace quellmark::win32 {

// A vertical trackbar for one gain, minimum at the top. It remembers the last position the
// controller knows, so that each change by the user is reported once and a move made by the
// program not at all.
class GainTrackbar {
public:
    void Attach(HWND trackbar, int minimum, int maximum);
    HWND Handle() const { return trackbar_; }

    int Position() const;
    // Moves the thumb without reporting the change.
    void SetPosition(int position);

    // Takes one scroll notification of this trackbar; true when it carries a position the
    // controller has not seen yet. A drag counts once, when the thumb is let go.
    bool TakeUserChange(int scrollCode);

    // Takes the trackbar's NM_CUSTOMDRAW: draws the thumb greyed while the trackbar is disabled,
    // which not every system's trackbar does itself.
    LRESULT CustomDraw(const NMCUSTOMDRAW& draw) const;

private:
    HWND trackbar_ = nullptr;
    int knownPosition_ = 0;
};

}  // namespace quellmark::win32

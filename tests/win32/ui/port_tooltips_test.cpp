#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "message_pump.h"
#include "shown_form.h"
#include "text_conversion.h"

namespace quellmark {
namespace {

using enum win32::ControlId;

// The text of the tooltip shown now.
std::wstring ShownTooltip() {
    std::wstring shown;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM text) {
            wchar_t windowClass[64]{};
            GetClassNameW(window, windowClass, 64);
            if (std::wstring(windowClass) == TOOLTIPS_CLASSW && IsWindowVisible(window)) {
                *reinterpret_cast<std::wstring*>(text) = win32::WindowText(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown;
}

// With the list open, the mouse on an entry shows what its port leads to, as the window's starter
// says at each opening of the list: here an adapter plugged in after the first.
TEST(PortTooltipsTest, EntryUnderTheMouseShowsWhatItsPortLeadsTo) {
    testing::ShownForm form(std::vector<std::string>(10, "Kein Ger\u00e4t"));
    const HWND combo = form.At(Combo1);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(combo, &info);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    form.describedPorts[2] = "USB-SERIAL CH340 (COM3)";
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    RECT item{};
    SendMessageW(info.hwndList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    POINT middle{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(info.hwndList, &middle);
    SetCursorPos(middle.x, middle.y);
    EXPECT_TRUE(
        test_support::PumpUntil([&] { return ShownTooltip() == L"USB-SERIAL CH340 (COM3)"; }, 5000))
        << win32::ToUtf8(ShownTooltip());
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    SetCursorPos(0, 0);
}

}  // namespace
}  // namespace quellmark

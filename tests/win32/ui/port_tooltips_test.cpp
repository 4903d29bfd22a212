#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <tuple>
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
// says when the list opens; an adapter that has gone is told at the next opening.
TEST(PortTooltipsTest, EntryUnderTheMouseShowsWhatItsPortLeadsTo) {
    std::vector<std::string> ports(10, "Kein Ger\u00e4t");
    ports[0] = "\\Device\\Serial0 (COM1)";
    testing::ShownForm form(ports);
    const HWND combo = form.At(Combo1);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(combo, &info);
    // What COM 3 leads to when the list opens, the entry under the mouse and the tip shown.
    const std::tuple<std::string, int, std::wstring> hovers[] = {
        {"USB-SERIAL CH340 (COM3)", 2, L"USB-SERIAL CH340 (COM3)"},
        {"USB-SERIAL CH340 (COM3)", 0, L"\\Device\\Serial0 (COM1)"},
        {"Kein Ger\u00e4t", 2, L"Kein Ger\u00e4t"},
    };
    for (const auto& [port3, entry, text] : hovers) {
        SCOPED_TRACE(entry);
        form.describedPorts[2] = port3;
        SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        RECT item{};
        SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(entry),
                     reinterpret_cast<LPARAM>(&item));
        POINT middle{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ClientToScreen(info.hwndList, &middle);
        SetCursorPos(middle.x, middle.y);
        EXPECT_TRUE(test_support::PumpUntil([&] { return ShownTooltip() == text; }, 5000))
            << win32::ToUtf8(ShownTooltip());
        SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
        SetCursorPos(0, 0);
    }
}

}  // namespace
}  // namespace quellmark

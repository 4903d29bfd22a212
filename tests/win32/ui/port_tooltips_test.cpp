#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "shown_form.h"
#include "text_conversion.h"

namespace quellmark {
namespace {

using enum win32::ControlId;

// The text of the tooltip shown now, taking the queue's messages for up to two seconds until one
// shows `expected`.
std::wstring ShownTooltip(const std::wstring& expected) {
    std::wstring shown;
    const DWORD until = GetTickCount() + 2000;
    while (shown != expected && GetTickCount() < until) {
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            DispatchMessageW(&message);
        }
        shown.clear();
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
        Sleep(20);
    }
    return shown;
}

// With the list open, the mouse on an entry shows what its port leads to, as the window's starter
// says when the list opens; an adapter that has gone is told at the next opening.
TEST(PortTooltipsTest, EntryUnderTheMouseShowsWhatItsPortLeadsTo) {
    std::vector<std::wstring> ports(10, L"Kein Ger\u00e4t");
    ports[0] = L"\\Device\\Serial0 (COM1)";
    ports[2] = L"USB-SERIAL CH340 (COM3)";
    testing::ShownForm form(ports);
    const HWND combo = form.At(Combo1);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(combo, &info);
    const struct {
        int entry;
        std::wstring text;
        std::wstring changeBeforeOpening;
    } hovers[] = {
        {2, L"USB-SERIAL CH340 (COM3)", L"USB-SERIAL CH340 (COM3)"},
        {0, L"\\Device\\Serial0 (COM1)", L"USB-SERIAL CH340 (COM3)"},
        {2, L"Kein Ger\u00e4t", L"Kein Ger\u00e4t"},
    };
    for (const auto& [entry, text, third] : hovers) {
        SCOPED_TRACE(entry);
        form.describedPorts[2] = third;
        SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        RECT item{};
        SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(entry),
                     reinterpret_cast<LPARAM>(&item));
        POINT middle{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ClientToScreen(info.hwndList, &middle);
        SetCursorPos(middle.x, middle.y);
        EXPECT_EQ(ShownTooltip(text), text);
        SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
        SetCursorPos(0, 0);
    }
}

}  // namespace
}  // namespace quellmark

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "message_pump.h"
#include "port_descriptions.h"
#include "shown_form.h"

namespace quellmark {
namespace {

using enum win32::ControlId;

// The text of the tooltip of `window` shown now.
std::wstring ShownTooltip(HWND window) {
    for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr));) {
        if (GetWindow(tip, GW_OWNER) == window && IsWindowVisible(tip)) {
            return win32::WindowText(tip);
        }
    }
    return {};
}

// With the list open, the mouse on COM 9 shows what the system says of the port at this opening
// of the list: here a device that the kernel's map of serial ports lists, whose value's name is the
// device and its data the port, added after the first opening.
TEST(PortTooltipsTest, EntryUnderTheMouseShowsWhatTheSystemSaysOfItsPortNow) {
    const testing::ShownForm form(DescribeSystemPorts);
    const HWND combo = form.At(Combo1);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    HKEY map = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_SET_VALUE, nullptr, &map, nullptr),
              ERROR_SUCCESS);
    const wchar_t kDevice[] = L"\\Device\\QuellmarkTest";
    const wchar_t kPort[] = L"COM9";
    RegSetValueExW(map, kDevice, 0, REG_SZ, reinterpret_cast<const BYTE*>(kPort), sizeof(kPort));
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    RegDeleteValueW(map, kDevice);
    RegCloseKey(map);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(combo, &info);
    RECT item{};
    SendMessageW(info.hwndList, LB_GETITEMRECT, 8, reinterpret_cast<LPARAM>(&item));
    POINT middle{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(info.hwndList, &middle);
    SetCursorPos(middle.x, middle.y);
    EXPECT_TRUE(test_support::PumpUntil(
        [&] { return ShownTooltip(form.window) == L"\\Device\\QuellmarkTest (COM9)"; }, 5000))
        << win32::ToUtf8(ShownTooltip(form.window));
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    SetCursorPos(0, 0);
}

}  // namespace
}  // namespace quellmark

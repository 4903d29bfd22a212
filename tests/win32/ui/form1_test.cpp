#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <new>
#include <string>
#include <system_error>
#include <tuple>
#include <vector>

#include "expected_window.h"
#include "message_loop.h"
#include "port_descriptions.h"
#include "shown_form.h"
#include "start_failure.h"
#include "system_library.h"
#include "window_metrics.h"

namespace quellmark {
namespace {

using enum win32::ControlId;
using test_support::seenBoxes;
using testing::kExpectedElements;
using win32::ControlId;
using win32::DpiFunctions;
using Writes = std::vector<std::string>;

constexpr SIZE kSize{testing::kExpectedWidth, testing::kExpectedHeight};

// The window on the fake port, with the system's ports, driven through the program's own delivery
// of each message.
struct Form1Test : ::testing::Test, testing::ShownForm {
    Form1Test() : ShownForm(DescribeSystemPorts) {}
    const test_support::BoxWatch boxes;
    HWND Named(const char* name) const { return At(win32::ControlNamed(name)); }
    // Posted, then taken from the queue as input is.
    void Deliver(HWND target, UINT message, WPARAM wParam, LPARAM lParam) const {
        PostMessageW(target, message, wParam, lParam);
        for (MSG queued; PeekMessageW(&queued, nullptr, 0, 0, PM_REMOVE);) {
            win32::DeliverMessage(window, queued);
        }
    }
    // A key pressed and released on the focused control.
    void Key(WORD key) const {
        Deliver(GetFocus(), WM_KEYDOWN, key, 1);
        Deliver(GetFocus(), WM_KEYUP, key, 0xC0000001);
    }
    // The client area is the size the layout needs at `dpi`.
    void ExpectClientAreaFor(UINT dpi) const {
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_EQ(std::vector({client.right, client.bottom}),
                  std::vector<LONG>({MulDiv(kSize.cx, dpi, 96), MulDiv(kSize.cy, dpi, 96)}));
    }
    // Each element where the table puts it at `dpi`, drawn in the message font of that dpi (a font
    // freed under a control reads back as nothing), and the port list open without a scroll bar.
    void ExpectLaidOutAt(UINT dpi) const;
};

// The name a screen reader reads through the system's accessible object of `control`.
std::wstring AccessibleName(HWND control) {
    IAccessible* accessible = nullptr;
    BSTR name = nullptr;
    if (SUCCEEDED(AccessibleObjectFromWindow(control, DWORD(OBJID_CLIENT), IID_IAccessible,
                                             reinterpret_cast<void**>(&accessible)))) {
        VARIANT self{};
        self.vt = VT_I4;  // CHILDID_SELF, 0
        accessible->get_accName(self, &name);
        accessible->Release();
    }
    const std::wstring text = name != nullptr ? name : L"(no name)";
    SysFreeString(name);
    return text;
}

void Form1Test::ExpectLaidOutAt(UINT dpi) const {
    SCOPED_TRACE(::testing::Message() << dpi << " dpi");
    const auto scaled = [dpi](LONG pixels) -> LONG { return MulDiv(pixels, dpi, 96); };
    const auto heightOf = [](HGDIOBJ font) {
        LOGFONTW logFont{};
        GetObjectW(font, sizeof(logFont), &logFont);
        return logFont.lfHeight;
    };
    const LONG fontHeight = heightOf(win32::CreateMessageFont(dpi).get());
    ASSERT_NE(fontHeight, 0);
    for (const auto& element : kExpectedElements) {
        SCOPED_TRACE(element.name);
        const HWND control = Named(element.name);
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, element.parent ? Named(element.parent) : window,
                        reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(
            std::vector({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}),
            std::vector({scaled(element.x), scaled(element.y), scaled(element.width),
                         scaled(element.height)}));
        if (*element.text != '\0') {  // a trackbar draws no text and keeps no font
            EXPECT_EQ(heightOf(reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0))),
                      fontHeight);
        }
    }
    COMBOBOXINFO combobox{};
    combobox.cbSize = sizeof(combobox);
    ASSERT_TRUE(GetComboBoxInfo(At(Combo1), &combobox));
    const auto entryHeight = SendMessageW(combobox.hwndList, LB_GETITEMHEIGHT, 0, 0);
    SendMessageW(At(Combo1), CB_SHOWDROPDOWN, TRUE, 0);
    RECT list{};
    GetClientRect(combobox.hwndList, &list);
    EXPECT_GE(list.bottom / entryHeight, 10) << "ports visible at once";
    SendMessageW(At(Combo1), CB_SHOWDROPDOWN, FALSE, 0);
    // Common controls 6 size the list by their own count of entries to show; older ones by the
    // height the window gives the drop-down (Wine reports the part below the field).
    RECT dropped{};
    SendMessageW(At(Combo1), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_GE(dropped.bottom - dropped.top, 10 * entryHeight) << "drop-down height for every port";
}

// Started on a monitor of the system's dpi (96, or 144 in the run that sets it): laid out for
// that dpi from the first paint, the client area of the size the layout needs.
TEST_F(Form1Test, StartsAsShownAtTheSystemDpi) {
    const UINT dpi = win32::SystemDpi();
    if (const char* set = std::getenv("QUELLMARK_TEST_SYSTEM_DPI")) {
        ASSERT_EQ(dpi, static_cast<UINT>(std::atoi(set))) << "the system dpi this run sets";
    }
    ASSERT_EQ(win32::WindowDpi(window), dpi);
    EXPECT_EQ(win32::WindowText(window), L"Quellmark");
    EXPECT_EQ(FindWindowExW(At(Combo1), nullptr, L"Edit", nullptr), nullptr) << "selection only";
    // Screen readers, through Wine's accessible objects, get a trackbar's window text and the
    // label before the field as names; Wine ignores the annotations that carry the gains as values.
    for (const auto& element : kExpectedElements) {
        SCOPED_TRACE(element.name);
        if (*element.text != '\0') {  // a trackbar's text is its name, below
            EXPECT_EQ(win32::ToUtf8(win32::WindowText(Named(element.name))), element.text);
        }
        if (element.namedBy != nullptr) {
            EXPECT_EQ(AccessibleName(Named(element.name)),
                      win32::WindowText(Named(element.namedBy)));
        }
    }
    // Each thumb drawn where its position lies in the range, from the top of the track.
    for (const ControlId slider : {Slider1, Slider2}) {
        const auto ask = [&](UINT what) { return double(SendMessageW(At(slider), what, 0, 0)); };
        RECT thumb{}, track{};
        SendMessageW(At(slider), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        GetClientRect(At(slider), &track);
        EXPECT_NEAR((thumb.top + thumb.bottom) / 2.0 / track.bottom,
                    (ask(TBM_GETPOS) - ask(TBM_GETRANGEMIN)) /
                        (ask(TBM_GETRANGEMAX) - ask(TBM_GETRANGEMIN)),
                    0.1)
            << win32::IdOf(slider);
    }
    ExpectClientAreaFor(dpi);
    ExpectLaidOutAt(dpi);
}

// Moved to a monitor of another dpi: the window takes the rectangle Windows suggests, even where
// it differs from the size the program would choose, lays out the table for the new dpi inside,
// and shows icons of that dpi's sizes, as it shows the system dpi's from the start.
TEST_F(Form1Test, TakesTheSuggestedRectangleWhenTheDpiChanges) {
    // The suggested rectangle: its corner and how much larger it is than the frame for the dpi.
    const std::tuple<UINT, POINT, SIZE> changes[] = {
        {144, {40, 30}, {0, 0}},
        {192, {-5, 12}, {0, 0}},
        {120, {60, 8}, {3, 7}},
        {96, {10, 10}, {0, 0}},
    };
    // The width of the icon the system shows: the window's own, else its class's.
    const auto iconSize = [this](WPARAM which, int classIcon) {
        const auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
        ICONINFO info{};
        BITMAP bitmap{};  // stays empty where there is no icon
        GetIconInfo(icon ? icon : HICON(GetClassLongPtrW(window, classIcon)), &info);
        GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        return bitmap.bmWidth;
    };
    const auto expectIconsFor = [&iconSize](UINT dpi) {
        EXPECT_EQ(iconSize(ICON_SMALL, GCLP_HICONSM), win32::SystemMetric(SM_CXSMICON, dpi));
        EXPECT_EQ(iconSize(ICON_BIG, GCLP_HICON), win32::SystemMetric(SM_CXICON, dpi));
    };
    expectIconsFor(win32::SystemDpi());
    for (const auto& [dpi, corner, extra] : changes) {
        SCOPED_TRACE(::testing::Message() << dpi << " dpi");
        const SIZE frame = win32::WindowSizeFor(kSize, GetWindowLongW(window, GWL_STYLE), 0, dpi);
        RECT suggested{corner.x, corner.y, corner.x + frame.cx + extra.cx,
                       corner.y + frame.cy + extra.cy};
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        // No window grows beyond the desktop and its frame: the 1024 x 768 test screen is smaller
        // than the window at 192 dpi.
        RECT outer{};
        GetWindowRect(window, &outer);
        EXPECT_EQ(
            std::vector({outer.left, outer.top, outer.right, outer.bottom}),
            std::vector<LONG>(
                {suggested.left, suggested.top,
                 std::min<LONG>(suggested.right, corner.x + GetSystemMetrics(SM_CXMAXTRACK)),
                 std::min<LONG>(suggested.bottom, corner.y + GetSystemMetrics(SM_CYMAXTRACK))}));
        // Wine draws every frame at the system dpi, so only there the client area comes out as
        // Windows computes it; on Windows the frame follows the window's dpi.
        if (dpi == win32::SystemDpi() && extra.cx == 0) {
            ExpectClientAreaFor(dpi);
        }
        ExpectLaidOutAt(dpi);
        expectIconsFor(dpi);
    }
}

// Enter presses the focused button and nothing elsewhere; Enter on Command1 connects, so that Tab
// then visits every control in the window's order, and comes round again.
TEST_F(Form1Test, EnterPressesOnlyTheFocusedButtonAndTabVisitsTheControlsInOrder) {
    const std::tuple<ControlId, Writes> enters[] = {
        {Command1, {}}, {Text1, {}}, {Command2, {"gsm+ A at+vgr?;+vgt?\r"}}};
    for (const auto& [focus, writes] : enters) {
        fake->writes.clear();
        SetFocus(At(focus));
        Key(VK_RETURN);
        EXPECT_EQ(fake->writes, writes) << win32::IdOf(focus);
        ASSERT_TRUE(fake->open) << "connected by Enter on Command1, and still";
    }
    std::map<int, const char*> order;
    for (const auto& element : kExpectedElements) {
        if (element.tabPosition > 0) {
            order[element.tabPosition] = element.name;
        }
    }
    SetFocus(Named(order.rbegin()->second));
    for (const auto& [position, next] : order) {
        Key(VK_TAB);
        EXPECT_EQ(GetFocus(), Named(next)) << next;
    }
}

// A failed open says so in an error box and leaves the window disconnected. Disconnected, a
// frame's contents are disabled with it (a group box does not do that by itself). Focus on a
// control that goes grey moves to Command1.
TEST_F(Form1Test, ConnectingEnablesEverythingAndAFailedOpenOrLosingTheDeviceGoesBack) {
    const auto expectUsable = [&](bool connected) {
        for (const auto& element : kExpectedElements) {
            EXPECT_EQ(IsWindowEnabled(Named(element.name)) != 0, connected || element.enabled)
                << element.name;
        }
    };
    fake->openSucceeds = false;
    Press(Command1);
    ASSERT_EQ(seenBoxes.size(), 1u);
    EXPECT_EQ(seenBoxes[0].parts,
              std::vector<std::wstring>(
                  {L"Fehler beim \u00d6ffnen des Comports!", L"OK", L"Quellmark", L"error icon"}));
    expectUsable(false);
    fake->openSucceeds = true;
    Press(Command1);
    expectUsable(true);
    SetFocus(At(Slider2));
    fake->Lose();  // unlike a press on the connect button, leaves the focus where it is
    expectUsable(false);
    EXPECT_EQ(Text(Command1), "Verbinden");
    EXPECT_EQ(GetFocus(), At(Command1));
}

// Moving the thumb down raises the gain. Each move writes one command, a drag when the thumb is let
// go. A reply moves the thumb without one, and a move that leaves the thumb where it was (counted
// from where the reply put it) writes none.
TEST_F(Form1Test, EachUserMoveWritesOneSetCommand) {
    // A click on the track below the thumb, a drag of the thumb to the bottom, the modem's reply
    // of TX 243 (-6.5 dB, the top), and a key (the end-to-end test sees keys that move).
    enum : WORD { kClick = 1, kDrag, kReply };
    // What is done to the TX slider, its position then, and the command written (nullptr: none).
    const std::tuple<WORD, int, const char*> moves[] = {
        {kClick, 5, "gsm+ A at+vgt=248\r"},
        {kDrag, 115, "gsm+ A at+vgt=102\r"},
        {kReply, 0, nullptr},
        {VK_UP, 0, nullptr},
    };
    Press(Command1);
    const HWND trackbar = At(Slider1);
    for (const auto& [input, position, command] : moves) {
        SCOPED_TRACE(::testing::Message() << "input " << input);
        fake->writes.clear();
        RECT thumb{};
        SendMessageW(trackbar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        const LONG x = (thumb.left + thumb.right) / 2;
        // The mouse button goes down at the first point, moves over the others and is let go.
        const std::vector<LONG> path =
            input == kDrag ? std::vector<LONG>{thumb.top + 2, thumb.top + 50, thumb.top + 200, 2000}
                           : std::vector<LONG>{thumb.bottom + 20};
        if (input == kReply) {
            fake->Receive("gsm+ A at+vgr?;+vgt?+VGT: 243\r\n");
        } else if (input == kClick || input == kDrag) {
            Deliver(trackbar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, path.front()));
            for (auto y = path.begin() + 1; y != path.end(); ++y) {
                Deliver(trackbar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, *y));
            }
            Deliver(trackbar, WM_LBUTTONUP, 0, MAKELPARAM(x, path.back()));
        } else {
            SetFocus(trackbar);
            Key(input);
        }
        EXPECT_EQ(SendMessageW(trackbar, TBM_GETPOS, 0, 0), position);
        EXPECT_EQ(fake->writes, command ? Writes{command} : Writes());
    }
}

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
TEST_F(Form1Test, PortUnderTheMouseShowsWhatTheSystemSaysOfItNow) {
    const HWND combo = At(Combo1);
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
        [&] { return ShownTooltip(window) == L"\\Device\\QuellmarkTest (COM9)"; }, 5000))
        << win32::ToUtf8(ShownTooltip(window));
    SetCursorPos(0, 0);
}

// What the window's sizes come from, measured with the functions this Windows has and with the
// fewer that older systems have, at `dpi`.
std::vector<int> MeasuredAt(HWND window, UINT dpi, const DpiFunctions& functions) {
    LOGFONTW font{};
    GetObjectW(win32::CreateMessageFont(dpi, functions).get(), sizeof(font), &font);
    const SIZE frame =
        win32::WindowSizeFor(kSize, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, dpi, functions);
    return {static_cast<int>(win32::WindowDpi(window, functions)),
            frame.cx,
            frame.cy,
            win32::SystemMetric(SM_CXEDGE, dpi, functions),
            win32::SystemMetric(SM_CXSMICON, dpi, functions),
            win32::SystemMetric(SM_CXICON, dpi, functions),
            static_cast<int>(font.lfHeight)};
}

// Where Windows has only part of the per-dpi functions, the system-dpi way stands in for the rest
// and gives the same at the system dpi, where both ways apply. The message font also follows
// another dpi. Moved to a monitor of another dpi, such a window keeps the suggested rectangle's
// corner with the size of a frame drawn at the system dpi (the window tests see the newer way).
TEST_F(Form1Test, OlderSystemsMeasureDpiAsNewerOnesAtTheSystemDpi) {
    const DpiFunctions& available = win32::AvailableDpiFunctions();
    // Looked up by the program only where GetDpiForWindow is missing.
    decltype(DpiFunctions::getDpiForMonitor) getDpiForMonitor;
    win32::FindFunction(win32::LoadSystemLibrary(L"shcore.dll"), "GetDpiForMonitor",
                        getDpiForMonitor);
    ASSERT_TRUE(available.getDpiForWindow && getDpiForMonitor &&
                available.adjustWindowRectExForDpi && available.getSystemMetricsForDpi &&
                available.systemParametersInfoForDpi && available.enableNonClientDpiScaling)
        << "this system has every one, so that the two ways can be compared";
    const UINT dpi = win32::SystemDpi();
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION;
    const RECT suggested{30, 40, 830, 840};
    RECT fixedFrame{0, 0, MulDiv(kSize.cx, 144, 96), MulDiv(kSize.cy, 144, 96)};
    AdjustWindowRectEx(&fixedFrame, kStyle, FALSE, 0);
    OffsetRect(&fixedFrame, 30 - fixedFrame.left, 40 - fixedFrame.top);
    const std::tuple<const char*, DpiFunctions> systems[] = {
        {"Windows 7", DpiFunctions{}},
        {"Windows 8.1", DpiFunctions{.getDpiForMonitor = getDpiForMonitor}},
    };
    for (const auto& [system, functions] : systems) {
        EXPECT_EQ(MeasuredAt(window, dpi, functions), MeasuredAt(window, dpi, available)) << system;
        // Scaled from the system dpi's height rather than from 96 dpi's: rounded differently.
        EXPECT_NEAR(MeasuredAt(window, 2 * dpi, functions).back(),
                    MeasuredAt(window, 2 * dpi, available).back(), 1)
            << system << ": message font at twice the dpi";
        const RECT frame = win32::FrameForNewDpi(suggested, kSize, kStyle, 0, 144, functions);
        EXPECT_TRUE(EqualRect(&frame, &fixedFrame)) << system << ": moved to 144 dpi";
    }
}

// An exception that ends the start shows an error box, with Windows' error code where it has one.
TEST_F(Form1Test, AFailedStartEndsInAnErrorBoxAndStatus1) {
    const std::tuple<std::function<int()>, std::vector<std::wstring>> starts[] = {
        {[]() -> int { throw std::system_error(1406, std::system_category()); },
         {L"OK", L"Quellmark",
          L"Quellmark konnte nicht gestartet werden.\n\nWindows-Fehlercode 1406", L"error icon"}},
        {[]() -> int { throw std::bad_alloc(); },
         {L"OK", L"Quellmark", L"Quellmark konnte nicht gestartet werden.", L"error icon"}},
        {[] { return 0; }, {}},
    };
    for (const auto& [program, seen] : starts) {
        seenBoxes.clear();
        EXPECT_EQ(win32::RunReportingFailure(program), seen.empty() ? 0 : 1);
        EXPECT_EQ(seenBoxes.empty() ? std::vector<std::wstring>() : seenBoxes[0].parts, seen);
    }
}

}  // namespace
}  // namespace quellmark

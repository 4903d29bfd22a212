#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "fake_serial_port.h"
#include "form1.h"
#include "message_loop.h"
#include "text_conversion.h"

namespace quellmark {
namespace {

using enum win32::ControlId;
using win32::ControlId;
using Writes = std::vector<std::string>;

// The trackbar's class is registered here, as the program does it first thing.
const INITCOMMONCONTROLSEX kControls{sizeof(kControls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
[[maybe_unused]] const bool kControlsRegistered = InitCommonControlsEx(&kControls);

// The window on the fake port, driven through the same message path as the program's loop.
struct Form1Test : ::testing::Test {
    Form1Test() { ShowWindow(window, SW_SHOW); }

    HWND At(ControlId id) const { return GetDlgItem(window, win32::IdOf(id)); }
    std::string Text(ControlId id) const { return win32::ToUtf8(win32::WindowText(At(id))); }
    void Press(ControlId button) const { SendMessageW(At(button), BM_CLICK, 0, 0); }
    // Posted, then taken from the queue as input is.
    void Deliver(HWND target, UINT message, WPARAM wParam, LPARAM lParam) const {
        PostMessageW(target, message, wParam, lParam);
        for (MSG queued; PeekMessageW(&queued, nullptr, 0, 0, PM_REMOVE);) {
            if (!IsDialogMessageW(window, &queued)) {
                TranslateMessage(&queued);
                DispatchMessageW(&queued);
            }
        }
    }
    // A key pressed and released on the focused control.
    void Key(WORD key) const {
        Deliver(GetFocus(), WM_KEYDOWN, key, 1);
        Deliver(GetFocus(), WM_KEYUP, key, 0xC0000001);
    }

    testing::FakeSerialPort* fake = new testing::FakeSerialPort;  // owned by the window
    Form1 form{std::unique_ptr<SerialPort>(fake), [] { return std::vector<std::wstring>(); }};
    HWND window = form.Handle();
};

// Each element: its frame (None: the window), its place in that frame at 96 dpi, its text at
// start-up (under German number formats) and whether it is usable before connecting.
const std::tuple<ControlId, ControlId, win32::Geometry, const char*, bool> kElements[] = {
    {Frame1, None, {8, 8, 129, 105}, "Schnittstelle", true},
    {Combo1, Frame1, {8, 16, 113, 21}, "COM 1", true},
    {Label9, Frame1, {8, 40, 81, 19}, "Kanal Nr.", true},
    {Text1, Frame1, {88, 40, 33, 19}, "A", true},
    {Command1, Frame1, {8, 64, 113, 33}, "Verbinden", true},
    {Command2, None, {16, 120, 113, 33}, "Aktuelle Werte auslesen", false},
    {Command3, None, {16, 160, 113, 33}, "Einstellungen Speichern", false},
    {Frame2, None, {144, 8, 177, 473}, "TX Gain", false},
    {Slider1, Frame2, {8, 16, 41, 449}, "TX Gain", false},
    {Label3, Frame2, {48, 424, 49, 17}, "Gain : ", false},
    {Label1, Frame2, {96, 424, 73, 17}, "-6,5 db", false},
    {Label4, Frame2, {48, 440, 49, 17}, "Value : ", false},
    {Label2, Frame2, {96, 440, 73, 17}, "243", false},
    {Frame3, None, {328, 8, 177, 473}, "RX Gain", false},
    {Slider2, Frame3, {8, 16, 41, 449}, "RX Gain", false},
    {Label6, Frame3, {48, 424, 49, 17}, "Gain : ", false},
    {Label7, Frame3, {96, 424, 73, 17}, "0 db", false},
    {Label5, Frame3, {48, 440, 49, 17}, "Value : ", false},
    {Label8, Frame3, {96, 440, 73, 17}, "48", false},
};

// At 96 dpi, then moved to a monitor of 144 dpi, where everything is half as large again.
TEST_F(Form1Test, StartsAsShownAndScalesWithTheDpi) {
    ASSERT_EQ(GetDpiForWindow(window), 96u);
    EXPECT_EQ(win32::WindowText(window), L"Quellmark");
    EXPECT_EQ(FindWindowExW(At(Combo1), nullptr, L"Edit", nullptr), nullptr) << "selection only";
    RECT suggested{10, 10, 800, 800};
    for (const int dpi : {96, 144}) {
        if (dpi != 96) {
            SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&suggested));
        }
        const auto scaled = [dpi](LONG pixels) -> LONG { return MulDiv(pixels, dpi, 96); };
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_EQ(std::vector({client.right, client.bottom}),
                  std::vector({scaled(514), scaled(491)}));
        for (const auto& [id, frame, geometry, text, enabled] : kElements) {
            if (dpi == 96) {
                EXPECT_EQ(Text(id), text) << win32::IdOf(id);
            }
            RECT rect{};
            GetWindowRect(At(id), &rect);
            MapWindowPoints(nullptr, frame == None ? window : At(frame),
                            reinterpret_cast<POINT*>(&rect), 2);
            EXPECT_EQ(
                std::vector({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}),
                std::vector({scaled(geometry.x), scaled(geometry.y), scaled(geometry.width),
                             scaled(geometry.height)}))
                << win32::IdOf(id) << " at " << dpi << " dpi";
        }
    }
}

// Disconnected, a frame's contents are disabled with it (a group box does not do that by itself).
// Focus on a control that goes grey moves to Command1.
TEST_F(Form1Test, ConnectingEnablesEverythingAndLosingTheDeviceGoesBack) {
    const auto expectUsable = [&](bool connected) {
        for (const auto& [id, frame, geometry, text, enabled] : kElements) {
            EXPECT_EQ(IsWindowEnabled(At(id)) != 0, connected || enabled) << win32::IdOf(id);
        }
    };
    expectUsable(false);
    Press(Command1);
    expectUsable(true);
    SetFocus(At(Slider2));
    fake->Lose();  // unlike a press on the connect button, leaves the focus where it is
    expectUsable(false);
    EXPECT_EQ(Text(Command1), "Verbinden");
    EXPECT_EQ(GetFocus(), At(Command1));
}

// Enter presses the focused button and nothing elsewhere.
TEST_F(Form1Test, EnterPressesOnlyTheFocusedButton) {
    const std::tuple<ControlId, Writes> enters[] = {
        {Command1, {}}, {Text1, {}}, {Command2, {"gsm+ A at+vgr?;+vgt?\r"}}};
    for (const auto& [focus, writes] : enters) {
        fake->writes.clear();
        SetFocus(At(focus));
        Key(VK_RETURN);
        EXPECT_EQ(fake->writes, writes) << win32::IdOf(focus);
        ASSERT_TRUE(fake->open) << "connected by Enter on Command1, and still";
    }
}

// Moving the thumb down raises the gain. Each move writes one command, a drag when the thumb is let
// go. A reply moves the thumb without one, and a move that leaves the thumb where it was (counted
// from where the reply put it) writes none.
TEST_F(Form1Test, EachUserMoveWritesOneSetCommand) {
    // Besides keys: a click on the track below the thumb, a drag of the thumb to the bottom, and
    // the modem's reply of TX 243 (-6.5 dB, the top).
    enum : WORD { kClick = 1, kDrag, kReply };
    // The slider, what is done, the position then, and the command written (nullptr: none).
    const std::tuple<ControlId, WORD, int, const char*> moves[] = {
        {Slider1, VK_DOWN, 1, "gsm+ A at+vgt=244\r"},
        {Slider1, kClick, 6, "gsm+ A at+vgt=249\r"},
        {Slider1, kDrag, 115, "gsm+ A at+vgt=102\r"},
        {Slider1, kReply, 0, nullptr},
        {Slider1, VK_UP, 0, nullptr},
        {Slider2, VK_HOME, -22, "gsm+ A at+vgr=224\r"},
    };
    Press(Command1);
    for (const auto& [slider, input, position, command] : moves) {
        SCOPED_TRACE(::testing::Message() << win32::IdOf(slider) << " input " << input);
        fake->writes.clear();
        const HWND trackbar = At(slider);
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

// What the person sees of the box while it runs: its title and each visible part; then OK.
std::vector<std::wstring> boxSeen;

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD) {
    if (const HWND box = FindWindowW(L"#32770", nullptr)) {
        boxSeen.push_back(win32::WindowText(box));
        const auto errorIcon = reinterpret_cast<LRESULT>(LoadIconW(nullptr, IDI_ERROR));
        for (HWND part = GetWindow(box, GW_CHILD); part; part = GetWindow(part, GW_HWNDNEXT)) {
            if (IsWindowVisible(part)) {
                boxSeen.push_back(SendMessageW(part, STM_GETICON, 0, 0) == errorIcon
                                      ? L"error icon"
                                      : win32::WindowText(part));
            }
        }
        SendMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

TEST_F(Form1Test, FailedOpenShowsTheErrorBox) {
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, AnswerBox);
    fake->openSucceeds = false;
    Press(Command1);
    KillTimer(nullptr, timer);
    std::ranges::sort(boxSeen);
    EXPECT_EQ(boxSeen, std::vector<std::wstring>({L"Fehler beim \u00d6ffnen des Comports!", L"OK",
                                                  L"Quellmark", L"error icon"}));
}

}  // namespace
}  // namespace quellmark

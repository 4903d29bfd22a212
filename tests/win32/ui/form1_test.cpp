#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <set>
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

// The window on the fake port, driven through the same message path as the program's loop.
struct Form1Test : ::testing::Test {
    Form1Test() { ShowWindow(window, SW_SHOW); }

    HWND At(ControlId id) const { return GetDlgItem(window, win32::IdOf(id)); }
    std::string Text(ControlId id) const { return win32::ToUtf8(win32::WindowText(At(id))); }
    int Position(ControlId slider) const {
        return static_cast<int>(SendMessageW(At(slider), TBM_GETPOS, 0, 0));
    }
    RECT ClientRect(ControlId id) const {
        RECT rect{};
        GetWindowRect(At(id), &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    void Press(ControlId button) const { SendMessageW(At(button), BM_CLICK, 0, 0); }
    // Posted, then taken from the queue as input is.
    void Deliver(HWND target, UINT message, WPARAM wParam, LPARAM lParam) const {
        PostMessageW(target, message, wParam, lParam);
        MSG queued{};
        while (PeekMessageW(&queued, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageW(window, &queued)) {
                TranslateMessage(&queued);
                DispatchMessageW(&queued);
            }
        }
    }
    void Click(ControlId id, POINT at) const {
        Deliver(At(id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        Deliver(At(id), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    // A key pressed and released on the focused control.
    void Key(WORD key, bool shift = false) const {
        BYTE keys[256] = {};
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        Deliver(GetFocus(), WM_KEYDOWN, key, 1);
        Deliver(GetFocus(), WM_KEYUP, key, 0xC0000001);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
    std::vector<ControlId> TabFrom(ControlId start, int count, bool shift) const {
        SetFocus(At(start));
        std::vector<ControlId> visited;
        for (int i = 0; i < count; ++i) {
            Key(VK_TAB, shift);
            visited.push_back(static_cast<ControlId>(GetDlgCtrlID(GetFocus())));
        }
        return visited;
    }

    testing::FakeSerialPort* fake = new testing::FakeSerialPort;  // owned by the window
    Form1 form{std::unique_ptr<SerialPort>(fake)};
    HWND window = form.Handle();
};

const struct {
    const char* name;
    ControlId id;
    ControlId parent;  // None: the window
    win32::Geometry geometry;
    const char* text;  // nullptr: checked by the locale test
    bool enabled;
} kElements[] = {
    {"Frame1", Frame1, None, {8, 8, 129, 105}, "Schnittstelle", true},
    {"Combo1", Combo1, Frame1, {8, 16, 113, 21}, "COM 1", true},
    {"Label9", Label9, Frame1, {8, 40, 81, 19}, "Kanal Nr.", true},
    {"Text1", Text1, Frame1, {88, 40, 33, 19}, "A", true},
    {"Command1", Command1, Frame1, {8, 64, 113, 33}, "Verbinden", true},
    {"Command2", Command2, None, {16, 120, 113, 33}, "Aktuelle Werte auslesen", false},
    {"Command3", Command3, None, {16, 160, 113, 33}, "Einstellungen Speichern", false},
    {"Frame2", Frame2, None, {144, 8, 177, 473}, "TX Gain", false},
    {"Slider1", Slider1, Frame2, {8, 16, 41, 449}, "", false},
    {"Label3", Label3, Frame2, {48, 424, 49, 17}, "Gain : ", false},
    {"Label1", Label1, Frame2, {96, 424, 73, 17}, nullptr, false},
    {"Label4", Label4, Frame2, {48, 440, 49, 17}, "Value : ", false},
    {"Label2", Label2, Frame2, {96, 440, 73, 17}, "243", false},
    {"Frame3", Frame3, None, {328, 8, 177, 473}, "RX Gain", false},
    {"Slider2", Slider2, Frame3, {8, 16, 41, 449}, "", false},
    {"Label6", Label6, Frame3, {48, 424, 49, 17}, "Gain : ", false},
    {"Label7", Label7, Frame3, {96, 424, 73, 17}, "0 db", false},
    {"Label5", Label5, Frame3, {48, 440, 49, 17}, "Value : ", false},
    {"Label8", Label8, Frame3, {96, 440, 73, 17}, "48", false},
};

// Client size and every element's place relative to its frame, at `dpi`.
void ExpectLayout(const Form1Test& test, UINT dpi) {
    const auto scaled = [dpi](LONG pixels) -> LONG { return MulDiv(pixels, dpi, 96); };
    RECT client{};
    GetClientRect(test.window, &client);
    EXPECT_EQ(std::vector({client.right, client.bottom}), std::vector({scaled(514), scaled(491)}));
    for (const auto& [name, id, parent, geometry, text, enabled] : kElements) {
        SCOPED_TRACE(name);
        const RECT frame = parent == None ? RECT{} : test.ClientRect(parent);
        const RECT rect = test.ClientRect(id);
        EXPECT_EQ(std::vector({rect.left - frame.left, rect.top - frame.top, rect.right - rect.left,
                               rect.bottom - rect.top}),
                  std::vector({scaled(geometry.x), scaled(geometry.y), scaled(geometry.width),
                               scaled(geometry.height)}));
    }
}

TEST_F(Form1Test, StartsAsShown) {
    ASSERT_EQ(GetDpiForWindow(window), 96u);
    EXPECT_EQ(win32::WindowText(window), L"Quellmark");
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
    ExpectLayout(*this, 96);
    for (const auto& [name, id, parent, geometry, text, enabled] : kElements) {
        if (text != nullptr) {
            EXPECT_EQ(Text(id), text) << name;
        }
    }
    EXPECT_EQ(FindWindowExW(At(Combo1), nullptr, L"Edit", nullptr), nullptr) << "selection only";
    ASSERT_EQ(SendMessageW(At(Combo1), CB_GETCOUNT, 0, 0), 10);
    EXPECT_EQ(fake->writes, Writes());
}

// Moved to a monitor of 144 dpi, everything is half as large again, the font included.
TEST_F(Form1Test, DpiChangeScalesTheWindowAndEveryElement) {
    const auto fontHeight = [this] {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(At(Label1), WM_GETFONT, 0, 0)),
                   sizeof(font), &font);
        return std::abs(font.lfHeight);
    };
    const LONG heightAt96 = fontHeight();
    RECT suggested{10, 10, 800, 800};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    ExpectLayout(*this, 144);
    EXPECT_GE(fontHeight(), heightAt96 * 3 / 2);
}

// The control's client area as drawn now.
struct Picture {
    LONG width = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(LONG x, LONG y) const { return pixels[y * width + x]; }
};

Picture Draw(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    const HDC screen = GetDC(control);
    const HDC canvas = CreateCompatibleDC(screen);
    const HGDIOBJ previous =
        SelectObject(canvas, CreateCompatibleBitmap(screen, client.right, client.bottom));
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas), PRF_CLIENT);
    Picture picture;
    picture.width = client.right;
    for (LONG y = 0; y < client.bottom; ++y) {
        for (LONG x = 0; x < client.right; ++x) {
            picture.pixels.push_back(GetPixel(canvas, x, y));
        }
    }
    DeleteObject(SelectObject(canvas, previous));
    DeleteDC(canvas);
    ReleaseDC(control, screen);
    return picture;
}

std::set<COLORREF> ThumbColours(HWND slider) {
    RECT thumb{};
    SendMessageW(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const Picture picture = Draw(slider);
    std::set<COLORREF> colours;
    for (LONG y = thumb.top; y < thumb.bottom; ++y) {
        for (LONG x = thumb.left; x < thumb.right; ++x) {
            colours.insert(picture.At(x, y));
        }
    }
    return colours;
}

// How many lines the dark text inside the button spans, by the height of its font's lines; 0 if
// the text reaches the button's edge, as a caption cut off does.
double CaptionLines(HWND button) {
    const Picture picture = Draw(button);
    const LONG height = static_cast<LONG>(picture.pixels.size()) / picture.width;
    std::vector<LONG> darkRows;
    for (LONG y = 0; y < height; ++y) {
        for (LONG x = 4; x < picture.width - 4; ++x) {
            const COLORREF pixel = picture.At(x, y);
            if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 300) {
                darkRows.push_back(y);
                break;
            }
        }
    }
    if (darkRows.empty() || darkRows.front() < 4 || darkRows.back() >= height - 4) {
        return 0;
    }
    const HDC dc = GetDC(button);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(button, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    ReleaseDC(button, dc);
    return (darkRows.back() - darkRows.front() + 1.0) / metrics.tmHeight;
}

// Each caption on two whole lines, not cut off after "Aktuelle Werte".
TEST_F(Form1Test, ButtonCaptionsWrapOntoTwoLines) {
    Press(Command1);
    EXPECT_NEAR(CaptionLines(At(Command2)), 1.9, 0.5);
    EXPECT_NEAR(CaptionLines(At(Command3)), 1.9, 0.5);
}

// From the start, connected, and disconnected again. Enabling a frame enables what is inside it,
// which a group box does not do by itself; a disabled slider is drawn greyed.
TEST_F(Form1Test, ConnectingEnablesEverythingAndDisconnectingGoesBack) {
    const std::set<COLORREF> greyed = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_GRAYTEXT)};
    for (bool connected : {false, true, false}) {
        if (connected != fake->open) {
            Press(Command1);
        }
        ASSERT_EQ(fake->open, connected);
        EXPECT_EQ(Text(Command1), connected ? "Trennen" : "Verbinden");
        for (const auto& element : kElements) {
            EXPECT_EQ(IsWindowEnabled(At(element.id)) != 0, connected || element.enabled)
                << element.name;
        }
        for (ControlId slider : {Slider1, Slider2}) {
            EXPECT_EQ(ThumbColours(At(slider)) == greyed, !connected);
        }
    }
}

TEST_F(Form1Test, FocusOnAControlThatGoesGreyMovesToTheConnectButton) {
    Press(Command1);
    SetFocus(At(Slider2));
    fake->Lose();
    EXPECT_EQ(GetFocus(), At(Command1));
}

TEST_F(Form1Test, TabVisitsTheUsableControlsInOrder) {
    EXPECT_EQ(TabFrom(Combo1, 3, false), std::vector({Command1, Text1, Combo1}));
    Press(Command1);
    EXPECT_EQ(TabFrom(Combo1, 7, false),
              std::vector({Command1, Slider1, Slider2, Text1, Command2, Command3, Combo1}));
    EXPECT_EQ(TabFrom(Combo1, 7, true),
              std::vector({Command3, Command2, Text1, Slider2, Slider1, Command1, Combo1}));
}

// Enter and Space press the focused button; Enter elsewhere presses nothing.
TEST_F(Form1Test, KeysPressTheFocusedButton) {
    const struct {
        const char* what;
        ControlId focus;
        WORD key;
        Writes writes;
    } presses[] = {
        {"Enter on Command1", Command1, VK_RETURN, {}},
        {"Enter in Text1", Text1, VK_RETURN, {}},
        {"Enter in Combo1", Combo1, VK_RETURN, {}},
        {"Enter on Command2", Command2, VK_RETURN, {"gsm+ A at+vgr?;+vgt?\r"}},
        {"Space on Command3", Command3, VK_SPACE, {"gsm+ A at&w\r"}},
    };
    for (const auto& [what, focus, key, writes] : presses) {
        SCOPED_TRACE(what);
        fake->writes.clear();
        SetFocus(At(focus));
        Key(key);
        EXPECT_EQ(fake->writes, writes);
        EXPECT_TRUE(fake->open) << "connected by the first, and still";
    }
}

// Moving the thumb down raises the gain; each move writes the value then shown, once, and a move
// that leaves the thumb where it was writes nothing. An odd RX position keeps the value of the
// even one before.
TEST_F(Form1Test, EachUserMoveWritesOneSetCommandWithTheValueShown) {
    using Move = std::function<void(const Form1Test&, ControlId)>;
    const auto key = [](WORD key) -> Move {
        return [key](const Form1Test& test, ControlId slider) {
            SetFocus(test.At(slider));
            test.Key(key);
        };
    };
    const Move clickTrackNearBottom = [](const Form1Test& test, ControlId slider) {
        RECT track{};
        RECT thumb{};
        GetClientRect(test.At(slider), &track);
        SendMessageW(test.At(slider), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        test.Click(slider,
                   {(thumb.left + thumb.right) / 2, track.bottom - 2 * (thumb.bottom - thumb.top)});
    };
    // One write for the whole drag, when the thumb is let go at the bottom.
    const Move dragToBottom = [](const Form1Test& test, ControlId slider) {
        RECT track{};
        RECT thumb{};
        GetClientRect(test.At(slider), &track);
        SendMessageW(test.At(slider), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        const int x = (thumb.left + thumb.right) / 2;
        test.Deliver(test.At(slider), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, thumb.top + 2));
        for (LONG y : {thumb.top + 50, thumb.top + 200, track.bottom}) {
            test.Deliver(test.At(slider), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        }
        test.Deliver(test.At(slider), WM_LBUTTONUP, 0, MAKELPARAM(x, track.bottom));
    };
    const struct {
        const char* what;
        ControlId slider;
        Move move;
        int position;
        const char* value;  // nullptr: nothing written
    } moves[] = {
        {"Down", Slider1, key(VK_DOWN), 1, "244"},
        {"Page Down", Slider1, key(VK_NEXT), 6, "249"},
        {"Up", Slider1, key(VK_UP), 5, "248"},
        {"click", Slider1, clickTrackNearBottom, 10, "253"},
        {"Home", Slider1, key(VK_HOME), 0, "243"},
        {"Up at the top", Slider1, key(VK_UP), 0, nullptr},
        {"drag", Slider1, dragToBottom, 115, "102"},
        {"Page Down at the bottom", Slider1, key(VK_NEXT), 115, nullptr},
        {"Up", Slider2, key(VK_UP), -1, "48"},
        {"Page Up", Slider2, key(VK_PRIOR), -6, "96"},
        {"Down", Slider2, key(VK_DOWN), -5, "96"},
        {"click", Slider2, clickTrackNearBottom, 0, "48"},
        {"Page Down", Slider2, key(VK_NEXT), 5, "48"},
        {"End", Slider2, key(VK_END), 6, "0"},
        {"Home", Slider2, key(VK_HOME), -22, "224"},
    };
    Press(Command1);
    for (const auto& [what, slider, move, position, value] : moves) {
        const bool tx = slider == Slider1;
        SCOPED_TRACE(std::string(tx ? "Slider1 " : "Slider2 ") + what);
        fake->writes.clear();
        move(*this, slider);
        EXPECT_EQ(Position(slider), position);
        if (value == nullptr) {
            EXPECT_EQ(fake->writes, Writes());
            continue;
        }
        EXPECT_EQ(Text(tx ? Label2 : Label8), value);
        EXPECT_EQ(fake->writes,
                  Writes{std::string("gsm+ A at+vg") + (tx ? "t=" : "r=") + value + "\r"});
    }
}

// The modem echoes the query, so the tag starts in column 21. The user's next move counts from
// where the reply put the thumb.
TEST_F(Form1Test, ReplyMovesTheSliderWithoutWritingBack) {
    Press(Command1);
    fake->Receive("gsm+ A at+vgr?;+vgt?+VGT: 102\r\n");
    fake->Receive("gsm+ A at+vgr?;+vgt?+VGR: 96\r\n");
    EXPECT_EQ(std::vector({Position(Slider1), Position(Slider2)}), std::vector({115, -6}));
    EXPECT_EQ(std::vector({Text(Label2), Text(Label8)}), Writes({"102", "96"}));
    SetFocus(At(Slider1));
    Key(VK_END);
    EXPECT_EQ(fake->writes, Writes()) << "already at the end";
    Key(VK_UP);
    EXPECT_EQ(fake->writes, Writes{"gsm+ A at+vgt=101\r"});
}

// What the person sees of a message box: its title, each visible part, and the connect button's
// caption meanwhile, read from a timer while the box runs; then OK is pressed.
std::vector<std::wstring> boxSeen;

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD) {
    const HWND box = FindWindowW(L"#32770", nullptr);
    if (box == nullptr) {
        return;
    }
    boxSeen.push_back(win32::WindowText(box));
    for (HWND part = GetWindow(box, GW_CHILD); part; part = GetWindow(part, GW_HWNDNEXT)) {
        const auto icon = SendMessageW(part, STM_GETICON, 0, 0);
        if (IsWindowVisible(part)) {
            boxSeen.push_back(icon == reinterpret_cast<LRESULT>(LoadIconW(nullptr, IDI_ERROR))
                                  ? L"error icon"
                                  : win32::WindowText(part));
        }
    }
    const HWND owner = GetWindow(box, GW_OWNER);
    boxSeen.push_back(L"caption " + win32::WindowText(GetDlgItem(owner, win32::IdOf(Command1))));
    std::ranges::sort(boxSeen);
    SendMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(Form1Test, FailedOpenShowsTheErrorAndStaysDisconnected) {
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, AnswerBox);
    fake->openSucceeds = false;
    Press(Command1);
    KillTimer(nullptr, timer);
    EXPECT_EQ(boxSeen,
              std::vector<std::wstring>({L"Fehler beim \u00d6ffnen des Comports!", L"OK",
                                         L"Quellmark", L"caption Trennen", L"error icon"}));
    EXPECT_EQ(Text(Command1), "Verbinden");
    EXPECT_FALSE(IsWindowEnabled(At(Slider1)));
}

// ctest runs this under a German and an English locale, saying what to expect.
TEST_F(Form1Test, TxGainShowsTheLocaleDecimalSeparator) {
    const char* expected = std::getenv("EXPECTED_TX_GAIN");
    if (expected == nullptr) {
        GTEST_SKIP() << "run by the locale entries";
    }
    EXPECT_EQ(Text(Label1), expected);
}

// The port goes with the controller, while the window's controls are still there.
TEST(Form1Close, ClosingEndsTheLoopAndDropsThePortBeforeTheControls) {
    static HWND window = nullptr;
    static bool controlsLeft = false;
    struct WatchedPort : testing::FakeSerialPort {
        ~WatchedPort() override { controlsLeft = GetDlgItem(window, win32::IdOf(Command1)); }
    };
    Form1 form{std::make_unique<WatchedPort>()};
    window = form.Handle();
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(win32::RunMessageLoop(window), 0);
    EXPECT_EQ(form.Handle(), nullptr);
    EXPECT_TRUE(controlsLeft);
}

}  // namespace
}  // namespace quellmark

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fake_serial_port.h"
#include "form1.h"
#include "message_loop.h"
#include "text_conversion.h"
#include "window_driver.h"

namespace quellmark {
namespace {

using enum win32::ControlId;
using test_support::WindowDriver;
using Writes = std::vector<std::string>;

struct Form1Test : ::testing::Test {
    Form1Test() {
        ShowWindow(form.Handle(), SW_SHOW);
        driver.Pump();
    }
    void Press(win32::ControlId button) const {
        SendMessageW(driver.Control(button), BM_CLICK, 0, 0);
    }
    bool Enabled(win32::ControlId id) const { return IsWindowEnabled(driver.Control(id)) != 0; }
    // Which control Tab reaches from `start`, `count` times over.
    std::vector<win32::ControlId> TabFrom(win32::ControlId start, int count, bool shift) const {
        driver.Focus(start);
        std::vector<win32::ControlId> visited;
        for (int i = 0; i < count; ++i) {
            driver.PressKey(VK_TAB, shift);
            visited.push_back(static_cast<win32::ControlId>(GetDlgCtrlID(GetFocus())));
        }
        return visited;
    }

    testing::FakeSerialPort* fake = new testing::FakeSerialPort;  // owned by the window
    Form1 form{std::unique_ptr<SerialPort>(fake)};
    WindowDriver driver{form.Handle()};
};

const struct {
    const char* name;
    win32::ControlId id;
    win32::ControlId parent;  // None: the window
    win32::Geometry geometry;
    const wchar_t* windowClass;
    const char* text;  // nullptr: checked elsewhere
    bool enabled;
} kElements[] = {
    {"Frame1", Frame1, None, {8, 8, 129, 105}, L"Button", "Schnittstelle", true},
    {"Combo1", Combo1, Frame1, {8, 16, 113, 21}, L"ComboBox", "COM 1", true},
    {"Label9", Label9, Frame1, {8, 40, 81, 19}, L"Static", "Kanal Nr.", true},
    {"Text1", Text1, Frame1, {88, 40, 33, 19}, L"Edit", "A", true},
    {"Command1", Command1, Frame1, {8, 64, 113, 33}, L"Button", "Verbinden", true},
    {"Command2", Command2, None, {16, 120, 113, 33}, L"Button", "Aktuelle Werte auslesen", false},
    {"Command3", Command3, None, {16, 160, 113, 33}, L"Button", "Einstellungen Speichern", false},
    {"Frame2", Frame2, None, {144, 8, 177, 473}, L"Button", "TX Gain", false},
    {"Slider1", Slider1, Frame2, {8, 16, 41, 449}, TRACKBAR_CLASSW, "", false},
    {"Label3", Label3, Frame2, {48, 424, 49, 17}, L"Static", "Gain : ", false},
    {"Label1", Label1, Frame2, {96, 424, 73, 17}, L"Static", nullptr, false},
    {"Label4", Label4, Frame2, {48, 440, 49, 17}, L"Static", "Value : ", false},
    {"Label2", Label2, Frame2, {96, 440, 73, 17}, L"Static", "243", false},
    {"Frame3", Frame3, None, {328, 8, 177, 473}, L"Button", "RX Gain", false},
    {"Slider2", Slider2, Frame3, {8, 16, 41, 449}, TRACKBAR_CLASSW, "", false},
    {"Label6", Label6, Frame3, {48, 424, 49, 17}, L"Static", "Gain : ", false},
    {"Label7", Label7, Frame3, {96, 424, 73, 17}, L"Static", "0 db", false},
    {"Label5", Label5, Frame3, {48, 440, 49, 17}, L"Static", "Value : ", false},
    {"Label8", Label8, Frame3, {96, 440, 73, 17}, L"Static", "48", false},
};

RECT Expected(const win32::Geometry& geometry, POINT origin, UINT dpi) {
    const auto scale = [dpi](int pixels) { return MulDiv(pixels, static_cast<int>(dpi), 96); };
    return {origin.x + scale(geometry.x), origin.y + scale(geometry.y),
            origin.x + scale(geometry.x + geometry.width),
            origin.y + scale(geometry.y + geometry.height)};
}

// Every element where the table puts it at `dpi`, relative to its frame.
void ExpectLayout(const WindowDriver& driver, UINT dpi) {
    for (const auto& element : kElements) {
        SCOPED_TRACE(element.name);
        POINT origin{};
        if (element.parent != None) {
            const RECT frame = driver.ClientRect(element.parent);
            origin = {frame.left, frame.top};
        }
        const RECT actual = driver.ClientRect(element.id);
        const RECT expected = Expected(element.geometry, origin, dpi);
        EXPECT_EQ(std::vector({actual.left, actual.top, actual.right, actual.bottom}),
                  std::vector({expected.left, expected.top, expected.right, expected.bottom}));
    }
}

SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

LONG FontHeight(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    return std::abs(font.lfHeight);
}

TEST_F(Form1Test, StartsAsShown) {
    const HWND window = form.Handle();
    ASSERT_EQ(GetDpiForWindow(window), 96u);
    EXPECT_EQ(win32::WindowText(window), L"Quellmark");
    const SIZE client = ClientSize(window);
    EXPECT_EQ(std::vector({client.cx, client.cy}), std::vector<LONG>({514, 491}));
    const auto style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0) << "the window is not resizable";
    for (const auto& element : kElements) {
        SCOPED_TRACE(element.name);
        wchar_t windowClass[64] = {};
        GetClassNameW(driver.Control(element.id), windowClass, 64);
        EXPECT_EQ(std::wstring(windowClass), element.windowClass);
        EXPECT_EQ(Enabled(element.id), element.enabled);
        if (element.text != nullptr) {
            EXPECT_EQ(driver.Text(element.id), element.text);
        }
    }
    ExpectLayout(driver, 96);

    const HWND combo = driver.Control(Combo1);
    EXPECT_EQ(FindWindowExW(combo, nullptr, L"Edit", nullptr), nullptr) << "selection only";
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 10);
    for (int i = 0; i < 10; ++i) {
        wchar_t entry[16] = {};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
        EXPECT_EQ(std::wstring(entry), L"COM " + std::to_wstring(i + 1));
    }
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);

    const struct {
        win32::ControlId slider;
        int minimum, maximum;
    } sliders[] = {{Slider1, 0, 115}, {Slider2, -22, 6}};
    for (const auto& [slider, minimum, maximum] : sliders) {
        const HWND trackbar = driver.Control(slider);
        EXPECT_EQ(SendMessageW(trackbar, TBM_GETRANGEMIN, 0, 0), minimum);
        EXPECT_EQ(SendMessageW(trackbar, TBM_GETRANGEMAX, 0, 0), maximum);
        EXPECT_EQ(driver.Position(slider), 0);
    }
    EXPECT_EQ(fake->writes, Writes());
}

// On a monitor of 144 dpi everything is half as large again, the font included.
TEST_F(Form1Test, DpiChangeScalesTheWindowAndEveryElement) {
    const LONG fontAt96 = FontHeight(driver.Control(Label1));
    RECT suggested{10, 10, 800, 800};
    SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    const SIZE client = ClientSize(form.Handle());
    EXPECT_EQ(std::vector({client.cx, client.cy}), std::vector<LONG>({771, 737}));
    ExpectLayout(driver, 144);
    EXPECT_GE(FontHeight(driver.Control(Label1)), fontAt96 * 3 / 2);
}

TEST_F(Form1Test, ConnectingEnablesTheFramesWithTheirSlidersAndLabels) {
    Press(Command1);
    ASSERT_TRUE(fake->open);
    EXPECT_EQ(driver.Text(Command1), "Trennen");
    for (const auto& element : kElements) {
        SCOPED_TRACE(element.name);
        EXPECT_TRUE(Enabled(element.id));
    }
    Press(Command1);
    EXPECT_EQ(driver.Text(Command1), "Verbinden");
    for (const auto& element : kElements) {
        SCOPED_TRACE(element.name);
        EXPECT_EQ(Enabled(element.id), element.enabled);
    }
}

// The colours of the thumb of `slider` as drawn now.
std::set<COLORREF> ThumbColours(HWND slider) {
    RECT client{};
    RECT thumb{};
    GetClientRect(slider, &client);
    SendMessageW(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const HDC screen = GetDC(slider);
    const HDC canvas = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    const HGDIOBJ previous = SelectObject(canvas, bitmap);
    SendMessageW(slider, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas), PRF_CLIENT);
    std::set<COLORREF> colours;
    for (int y = thumb.top; y < thumb.bottom; ++y) {
        for (int x = thumb.left; x < thumb.right; ++x) {
            colours.insert(GetPixel(canvas, x, y));
        }
    }
    SelectObject(canvas, previous);
    DeleteObject(bitmap);
    DeleteDC(canvas);
    ReleaseDC(slider, screen);
    return colours;
}

TEST_F(Form1Test, DisabledSlidersAreDrawnGreyed) {
    const std::set<COLORREF> greyed = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_GRAYTEXT)};
    for (win32::ControlId slider : {Slider1, Slider2}) {
        EXPECT_EQ(ThumbColours(driver.Control(slider)), greyed);
    }
    Press(Command1);
    for (win32::ControlId slider : {Slider1, Slider2}) {
        EXPECT_NE(ThumbColours(driver.Control(slider)), greyed);
    }
}

const std::vector<win32::ControlId> kTabCycle = {Command1, Slider1,  Slider2, Text1,
                                                 Command2, Command3, Combo1};

TEST_F(Form1Test, TabVisitsTheUsableControlsInOrder) {
    EXPECT_EQ(TabFrom(Combo1, 3, false), std::vector({Command1, Text1, Combo1}))
        << "disabled sliders and buttons are skipped";
    Press(Command1);
    EXPECT_EQ(TabFrom(Combo1, 7, false), kTabCycle);
    EXPECT_EQ(TabFrom(Combo1, 7, true),
              std::vector({Command3, Command2, Text1, Slider2, Slider1, Command1, Combo1}));
}

// Enter and Space press the focused button; Enter elsewhere presses nothing.
TEST_F(Form1Test, KeysPressTheFocusedButton) {
    const struct {
        const char* what;
        win32::ControlId focus;
        WORD key;
        Writes writes;
    } presses[] = {
        {"Enter on Command1", Command1, VK_RETURN, {}},
        {"Enter in Text1", Text1, VK_RETURN, {}},
        {"Enter on Command2", Command2, VK_RETURN, {"gsm+ A at+vgr?;+vgt?\r"}},
        {"Space on Command3", Command3, VK_SPACE, {"gsm+ A at&w\r"}},
        {"Space on Command2", Command2, VK_SPACE, {"gsm+ A at+vgr?;+vgt?\r"}},
        {"Enter in Combo1", Combo1, VK_RETURN, {}},
    };
    for (const auto& [what, focus, key, writes] : presses) {
        SCOPED_TRACE(what);
        fake->writes.clear();
        driver.Focus(focus);
        driver.PressKey(key);
        EXPECT_EQ(fake->writes, writes);
        EXPECT_TRUE(fake->open) << "the connection stands";
    }
}

// Moving the thumb down raises the gain; each move writes the value then shown, once, and a move
// that leaves the thumb where it was writes nothing. An odd RX position keeps the value of the
// even one before.
TEST_F(Form1Test, EachUserMoveWritesOneSetCommandWithTheValueShown) {
    using Move = std::function<void(const WindowDriver&, win32::ControlId)>;
    const auto key = [](WORD key) -> Move {
        return [key](const WindowDriver& driver, win32::ControlId slider) {
            driver.Focus(slider);
            driver.PressKey(key);
        };
    };
    const Move clickTrackNearBottom = [](const WindowDriver& driver, win32::ControlId slider) {
        RECT track{};
        RECT thumb{};
        GetClientRect(driver.Control(slider), &track);
        SendMessageW(driver.Control(slider), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        driver.ClickAt(slider, {(thumb.left + thumb.right) / 2,
                                track.bottom - 2 * (thumb.bottom - thumb.top)});
    };
    const struct {
        const char* what;
        win32::ControlId slider;
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
        {"End", Slider1, key(VK_END), 115, "102"},
        {"Page Down at the bottom", Slider1, key(VK_NEXT), 115, nullptr},
        {"Up", Slider2, key(VK_UP), -1, "48"},
        {"Page Up", Slider2, key(VK_PRIOR), -6, "96"},
        {"Down", Slider2, key(VK_DOWN), -5, "96"},
        {"click", Slider2, clickTrackNearBottom, 0, "48"},
        {"Page Down", Slider2, key(VK_NEXT), 5, "48"},
        {"End", Slider2, key(VK_END), 6, "0"},
        {"Home", Slider2, key(VK_HOME), -22, "224"},
        {"Page Up at the top", Slider2, key(VK_PRIOR), -22, nullptr},
    };
    Press(Command1);
    for (const auto& [what, slider, move, position, value] : moves) {
        const bool tx = slider == Slider1;
        SCOPED_TRACE(std::string(tx ? "Slider1 " : "Slider2 ") + what);
        fake->writes.clear();
        move(driver, slider);
        EXPECT_EQ(driver.Position(slider), position);
        if (value == nullptr) {
            EXPECT_EQ(fake->writes, Writes());
            continue;
        }
        EXPECT_EQ(driver.Text(tx ? Label2 : Label8), value);
        EXPECT_EQ(fake->writes,
                  Writes{std::string("gsm+ A at+vg") + (tx ? "t=" : "r=") + value + "\r"});
    }
}

TEST_F(Form1Test, DragWritesOnceOnRelease) {
    Press(Command1);
    RECT thumb{};
    SendMessageW(driver.Control(Slider1), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int x = (thumb.left + thumb.right) / 2;
    driver.Deliver(Slider1, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, thumb.top + 2));
    for (int y : {100, 200, 250}) {
        driver.Deliver(Slider1, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    }
    EXPECT_GT(driver.Position(Slider1), 0) << "the thumb follows the mouse";
    EXPECT_EQ(fake->writes, Writes());
    driver.Deliver(Slider1, WM_LBUTTONUP, 0, MAKELPARAM(x, 250));
    EXPECT_EQ(fake->writes, Writes{"gsm+ A at+vgt=" + driver.Text(Label2) + "\r"});
}

// The modem echoes the query, so the tag starts in column 21. A move by a reply is no move of the
// user's, and the user's next move is measured from where the reply put the thumb.
TEST_F(Form1Test, ReplyMovesTheSliderWithoutWritingBack) {
    Press(Command1);
    fake->Receive("gsm+ A at+vgr?;+vgt?+VGT: 102\r\n");
    fake->Receive("gsm+ A at+vgr?;+vgt?+VGR: 96\r\n");
    EXPECT_EQ(driver.Position(Slider1), 115);
    EXPECT_EQ(driver.Text(Label2), "102");
    EXPECT_EQ(driver.Position(Slider2), -6);
    EXPECT_EQ(driver.Text(Label8), "96");
    EXPECT_EQ(fake->writes, Writes());

    driver.Focus(Slider1);
    driver.PressKey(VK_END);
    EXPECT_EQ(fake->writes, Writes()) << "already at the end";
    driver.PressKey(VK_UP);
    EXPECT_EQ(fake->writes, Writes{"gsm+ A at+vgt=101\r"});
}

// What the person sees of a message box, read from a timer while it runs; then OK is pressed.
struct MessageBoxSeen {
    std::wstring title;
    std::wstring text;
    bool errorIcon = false;
    std::vector<std::wstring> buttons;
    std::string connectCaption;
};

struct MessageBoxWatch {
    HWND owner;
    std::vector<MessageBoxSeen> seen;
};
MessageBoxWatch* watch = nullptr;

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM lParam) {
    auto& seen = *reinterpret_cast<MessageBoxSeen*>(lParam);
    wchar_t windowClass[32] = {};
    GetClassNameW(child, windowClass, 32);
    const auto style = GetWindowLongW(child, GWL_STYLE);
    if (lstrcmpiW(windowClass, L"Button") == 0 && (style & WS_VISIBLE) != 0) {
        seen.buttons.push_back(win32::WindowText(child));
    } else if (lstrcmpiW(windowClass, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
        seen.errorIcon = SendMessageW(child, STM_GETICON, 0, 0) ==
                         reinterpret_cast<LRESULT>(LoadIconW(nullptr, IDI_ERROR));
    } else if (lstrcmpiW(windowClass, L"Static") == 0 && !win32::WindowText(child).empty()) {
        seen.text = win32::WindowText(child);
    }
    return TRUE;
}

BOOL CALLBACK AnswerBox(HWND window, LPARAM) {
    wchar_t windowClass[32] = {};
    GetClassNameW(window, windowClass, 32);
    if (wcscmp(windowClass, L"#32770") != 0 || GetWindow(window, GW_OWNER) != watch->owner) {
        return TRUE;
    }
    MessageBoxSeen seen;
    seen.title = win32::WindowText(window);
    EnumChildWindows(window, ReadBoxChild, reinterpret_cast<LPARAM>(&seen));
    seen.connectCaption =
        win32::ToUtf8(win32::WindowText(GetDlgItem(watch->owner, win32::IdOf(Command1))));
    watch->seen.push_back(seen);
    SendMessageW(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

TEST_F(Form1Test, FailedOpenShowsTheErrorAndStaysDisconnected) {
    MessageBoxWatch boxes;
    boxes.owner = form.Handle();
    watch = &boxes;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0);
    });
    fake->openSucceeds = false;
    Press(Command1);
    KillTimer(nullptr, timer);
    watch = nullptr;

    ASSERT_EQ(boxes.seen.size(), 1u);
    const MessageBoxSeen& box = boxes.seen.front();
    EXPECT_EQ(box.title, L"Quellmark");
    EXPECT_EQ(box.text, L"Fehler beim \u00d6ffnen des Comports!");
    EXPECT_TRUE(box.errorIcon);
    EXPECT_EQ(box.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(box.connectCaption, "Trennen") << "while the box is up";
    EXPECT_EQ(driver.Text(Command1), "Verbinden");
    for (win32::ControlId id : {Command2, Command3, Frame2, Slider1, Frame3, Slider2}) {
        EXPECT_FALSE(Enabled(id));
    }
}

// The separator comes from the user's locale: ctest runs this under a German and an English
// locale, saying what to expect.
TEST_F(Form1Test, TxGainShowsTheLocaleDecimalSeparator) {
    const char* expected = std::getenv("EXPECTED_TX_GAIN");
    if (expected == nullptr) {
        GTEST_SKIP() << "run by the locale entries";
    }
    EXPECT_EQ(driver.Text(Label1), expected);
}

// A port that notes whether the window's controls still exist when it goes.
struct WatchedPort : testing::FakeSerialPort {
    ~WatchedPort() override {
        *controlsLeft = IsWindow(GetDlgItem(*window, win32::IdOf(Command1)));
    }
    HWND* window;
    bool* controlsLeft;
};

TEST(Form1Close, ClosingEndsTheLoopAndDropsThePortBeforeTheControls) {
    HWND window = nullptr;
    bool controlsLeft = false;
    auto* port = new WatchedPort;
    port->window = &window;
    port->controlsLeft = &controlsLeft;
    Form1 form{std::unique_ptr<SerialPort>(port)};
    window = form.Handle();
    ShowWindow(window, SW_SHOW);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(win32::RunMessageLoop(window), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(form.Handle(), nullptr);
    EXPECT_TRUE(controlsLeft);
}

}  // namespace
}  // namespace quellmark

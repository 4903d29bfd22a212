#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <memory>
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
        win32::ControlId focus;
        WORD key;
        Writes writes;
    } presses[] = {
        {Command1, VK_RETURN, {}},
        {Text1, VK_RETURN, {}},
        {Command2, VK_RETURN, {"gsm+ A at+vgr?;+vgt?\r"}},
        {Command3, VK_SPACE, {"gsm+ A at&w\r"}},
        {Command2, VK_SPACE, {"gsm+ A at+vgr?;+vgt?\r"}},
        {Combo1, VK_RETURN, {}},
    };
    for (const auto& [focus, key, writes] : presses) {
        SCOPED_TRACE(GetDlgItem(form.Handle(), win32::IdOf(focus)));
        fake->writes.clear();
        driver.Focus(focus);
        driver.PressKey(key);
        EXPECT_EQ(fake->writes, writes);
        EXPECT_TRUE(fake->open) << "the connection stands";
    }
}

}  // namespace
}  // namespace quellmark

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "element_table.h"
#include "far_end.h"
#include "form1.h"
#include "message_pump.h"
#include "text_conversion.h"
#include "win32_serial_port.h"

namespace quellmark {
namespace {

using enum win32::ControlId;
using test_support::PumpFor;
using test_support::PumpUntil;
using win32::ControlId;
using Lines = std::vector<std::string>;

const std::string kQueryA = "gsm+ A at+vgr?;+vgt?\r";
const std::string kQueryB = "gsm+ B at+vgr?;+vgt?\r";
// RX 70 lies in the bucket of position -2, TX 0 is position 13 (0 dB).
const std::vector<std::string> kGains{"--rx", "70", "--tx", "0"};

// Any message box that comes up is read, recorded and closed, so that the test goes on and can
// say what it showed.
class BoxWatch {
public:
    BoxWatch() {
        seen.clear();
        timer_ = SetTimer(nullptr, 0, 100, &OnTimer);
    }
    ~BoxWatch() { KillTimer(nullptr, timer_); }
    static std::vector<std::string> seen;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(GetCurrentThreadId(), &CloseIfBox, 0);
    }
    static BOOL CALLBACK CloseIfBox(HWND window, LPARAM) {
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
            seen.push_back(win32::ToUtf8(win32::WindowText(GetDlgItem(window, 0xFFFF))));
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
        return TRUE;
    }
    UINT_PTR timer_;
};
std::vector<std::string> BoxWatch::seen;

// The real window on the real serial port, against the modem simulator on the Linux side. Port 1
// is COM1, which Wine's port registry leads to the simulator's link, so a restarted simulator is
// found where the first one was.
class E2eTest : public ::testing::Test {
protected:
    E2eTest() { ShowWindow(window_, SW_SHOW); }
    ~E2eTest() override { EXPECT_EQ(BoxWatch::seen, Lines{}) << "message boxes came up"; }

    HWND At(ControlId id) const { return GetDlgItem(window_, win32::IdOf(id)); }
    std::string Text(ControlId id) const { return win32::ToUtf8(win32::WindowText(At(id))); }
    int Position(ControlId slider) const {
        return static_cast<int>(SendMessageW(At(slider), TBM_GETPOS, 0, 0));
    }
    bool Connected() const { return Text(Command1) == "Trennen" && IsWindowEnabled(At(Command2)); }
    bool Disconnected() const {
        return Text(Command1) == "Verbinden" && !IsWindowEnabled(At(Command2));
    }
    void Press(ControlId button) const { SendMessageW(At(button), BM_CLICK, 0, 0); }
    // A key pressed and released on a control, taken from the queue as input is.
    void Key(ControlId id, WORD key) const {
        SetFocus(At(id));
        PostMessageW(At(id), WM_KEYDOWN, key, 1);
        PostMessageW(At(id), WM_KEYUP, key, 0xC0000001);
        MSG queued{};
        while (PeekMessageW(&queued, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageW(window_, &queued)) {
                TranslateMessage(&queued);
                DispatchMessageW(&queued);
            }
        }
    }

    // Reads `channel` and waits for the sliders to reach the positions given.
    void ReadValues(const char* channel, int tx, int rx) {
        SetWindowTextW(At(Text1), win32::ToWide(channel).c_str());
        const auto arrived = [&] { return Position(Slider1) == tx && Position(Slider2) == rx; };
        ASSERT_FALSE(arrived()) << "the sliders are there already, so the read could not be seen";
        Press(Command2);
        ASSERT_TRUE(PumpUntil(arrived))
            << "reading " << channel << " left " << Position(Slider1) << ", " << Position(Slider2);
    }

    // Every command line the simulators have logged in this test, each with its CR; waits for
    // `count` first.
    Lines Log(std::size_t count = 0) const {
        Lines lines;
        PumpUntil([&] {
            lines.clear();
            const std::string log = far_.SimulatorLog().substr(logStart_);
            for (std::size_t at = 0, end; (end = log.find('\r', at)) != std::string::npos;
                 at = end + 1) {
                lines.push_back(log.substr(at, end - at + 1));
            }
            return lines.size() >= count;
        });
        return lines;
    }

    BoxWatch boxes_;
    mutable test_support::FarEnd far_;
    // The simulators of all tests log to one file.
    const std::size_t logStart_ = far_.SimulatorLog().size();
    Form1 form_{std::make_unique<Win32SerialPort>()};
    HWND window_ = form_.Handle();
};

TEST_F(E2eTest, ReadSetStoreAndReadAgain) {
    far_.StartSimulator(kGains);
    Press(Command1);
    ASSERT_TRUE(Connected()) << Text(Command1);
    ReadValues("A", 13, -2);
    EXPECT_EQ(Lines({Text(Label1), Text(Label2), Text(Label7), Text(Label8)}),
              Lines({"0 db", "0", "-2 db", "64"}));
    // Long enough for a set command wrongly following the read to arrive.
    PumpFor(300);
    EXPECT_EQ(Log(), Lines{kQueryA});

    Key(Slider1, VK_NEXT);
    Press(Command3);
    ReadValues("B", 13, -2);
    ReadValues("A", 18, -2);
    EXPECT_EQ(Log(5), Lines({kQueryA, "gsm+ A at+vgt=5\r", "gsm+ A at&w\r", kQueryB, kQueryA}));
}

TEST_F(E2eTest, RandomSliderStepsReachTheModemInOrder) {
    far_.StartSimulator({});
    Press(Command1);
    ASSERT_TRUE(Connected());
    std::mt19937 random(20240611);
    const std::pair<WORD, int> keys[] = {{VK_UP, -1}, {VK_DOWN, 1}, {VK_PRIOR, -5}, {VK_NEXT, 5}};
    // What the window should send, worked out from the scales alone.
    int tx = 0, rx = 0, rxValue = 48;
    Lines expected;
    while (expected.size() < 300) {
        const auto [key, delta] = keys[random() % 4];
        const int txBefore = tx, rxBefore = rx;
        if (random() % 2) {
            tx = std::clamp(tx + delta, 0, 115);
            Key(Slider1, key);
        } else {
            rx = std::clamp(rx + delta, -22, 6);
            Key(Slider2, key);
        }
        if (tx != txBefore) {
            expected.push_back("gsm+ A at+vgt=" + std::to_string(tx < 13 ? tx + 243 : tx - 13) +
                               '\r');
        }
        if (rx % 2 == 0) {
            rxValue = 48 - 8 * rx;
        }
        if (rx != rxBefore) {
            expected.push_back("gsm+ A at+vgr=" + std::to_string(rxValue) + '\r');
        }
    }
    EXPECT_EQ(Log(expected.size()), expected);
}

// The simulator ending is the device going away: the window disconnects without a box, and
// connects again to the next one.
TEST_F(E2eTest, SimulatorEndingDisconnectsQuietlyAndTheNextOneConnects) {
    for (const int round : {1, 2}) {
        SCOPED_TRACE(round);
        far_.StartSimulator(kGains);
        Press(Command1);
        ASSERT_TRUE(Connected());
        ReadValues(round == 1 ? "A" : "B", 13, -2);
        far_.StopSimulator();
        ASSERT_TRUE(PumpUntil([&] { return Disconnected(); })) << Text(Command1);
        SetWindowTextW(At(Text1), L"");
        SendMessageW(At(Slider1), TBM_SETPOS, TRUE, 0);
        SendMessageW(At(Slider2), TBM_SETPOS, TRUE, 0);
    }
}

// The reader blocks in the driver: a connected, idle window uses no processor time.
TEST_F(E2eTest, ConnectedAndIdleTheProgramUsesNoProcessorTime) {
    far_.StartSimulator(kGains);
    Press(Command1);
    ReadValues("A", 13, -2);
    const auto used100ns = [] {
        FILETIME created, exited, kernel, user;
        GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
        const auto ticks = [](FILETIME time) {
            return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime;
        };
        return ticks(kernel) + ticks(user);
    };
    const ULONGLONG before = used100ns();
    PumpFor(3000);
    const ULONGLONG usedMs = (used100ns() - before) / 10000;
    EXPECT_LT(usedMs, 30u) << usedMs << " ms of processor time in 3 s";
    EXPECT_TRUE(Connected());
}

}  // namespace
}  // namespace quellmark

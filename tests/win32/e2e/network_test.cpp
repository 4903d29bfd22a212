#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <string>
#include <thread>

#include "element_table.h"
#include "far_end.h"
#include "form1.h"
#include "message_pump.h"
#include "open_line.h"
#include "port_descriptions.h"
#include "text_conversion.h"

namespace quellmark {
namespace {

using enum win32::ControlId;
using namespace std::chrono;
using test_support::PumpUntil;

// A message box that comes up is recorded, with when it came and whether its window was still
// there, and closed.
struct Box {
    std::string text;
    steady_clock::time_point shown;
    bool ownerThere;
};
std::vector<Box> boxes;
void CALLBACK CloseBoxes(HWND, UINT, UINT_PTR, DWORD) {
    if (const HWND box = FindWindowW(L"#32770", nullptr); box != nullptr) {
        boxes.push_back({win32::ToUtf8(win32::WindowText(GetDlgItem(box, 0xFFFF))),
                         steady_clock::now(), IsWindow(GetWindow(box, GW_OWNER)) != FALSE});
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

// The window on its port 2, which QUELLMARK_COM2 leads to a network address on 127.0.0.1, where
// the far end runs ser2net in front of the modem simulator's terminal.
class NetworkTest : public ::testing::Test {
protected:
    NetworkTest() {
        boxes.clear();
        ShowWindow(window_, SW_SHOW);
        SendMessageW(At(Combo1), CB_SETCURSEL, 1, 0);
    }
    ~NetworkTest() override { KillTimer(nullptr, boxTimer_); }

    HWND At(win32::ControlId id) const { return GetDlgItem(window_, win32::IdOf(id)); }
    std::string Text(win32::ControlId id) const { return win32::ToUtf8(win32::WindowText(At(id))); }
    int Position(win32::ControlId slider) const {
        return int(SendMessageW(At(slider), TBM_GETPOS, 0, 0));
    }
    void Press(win32::ControlId button) const { SendMessageW(At(button), BM_CLICK, 0, 0); }

    // Presses "Verbinden" with port 2 at `address`.
    void Connect(const std::string& address) {
        SetEnvironmentVariableW(L"QUELLMARK_COM2", win32::ToWide(address).c_str());
        Press(Command1);
    }
    // How long after `start` the one box came, which has the open failure's message.
    milliseconds FailureShownAfter(steady_clock::time_point start) const {
        EXPECT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes.at(0).text, "Fehler beim Öffnen des Comports!");
        return duration_cast<milliseconds>(boxes.at(0).shown - start);
    }

    const UINT_PTR boxTimer_ = SetTimer(nullptr, 0, 100, &CloseBoxes);
    test_support::FarEnd far_;
    Form1 form_{NumberedSystemPort(), DescribeSystemPorts};
    HWND window_ = form_.Handle();
};

// Over both forms: read, set and store, on channel "ÿ", which is the byte 0xFF both ways (the
// Telnet escape, doubled on the wire); the line settings that an rfc2217:// connect sets (the
// server's own are 4800 baud); then the server goes away, and the window disconnects without a
// box. A new connect to where nobody listens now shows the one message at once.
TEST_F(NetworkTest, BothFormsReadSetStoreAndDisconnectWhenTheServerGoes) {
    const std::string expected = "gsm+ \xff at+vgr?;+vgt?\rgsm+ \xff at+vgt=1\rgsm+ \xff at&w\r";
    SetWindowTextW(At(Text1), L"\u00ff");
    std::string address;
    for (const bool rfc2217 : {true, false}) {
        SCOPED_TRACE(rfc2217 ? "rfc2217://" : "socket://");
        far_.Request("simulator --rx 70 --tx 0");
        const std::string urls = far_.Request("ser2net");
        const std::size_t logged = far_.SimulatorLog().size();
        address = rfc2217 ? urls.substr(0, urls.find(' ')) : urls.substr(urls.find(' ') + 1);
        Connect(address);
        ASSERT_TRUE(IsWindowEnabled(At(Command2))) << "not connected";

        ASSERT_NE(Position(Slider1), 13) << "the read could not be seen";
        Press(Command2);
        ASSERT_TRUE(PumpUntil([&] { return Position(Slider1) == 13 && Position(Slider2) == -2; }))
            << "the read left " << Position(Slider1) << ", " << Position(Slider2);
        if (rfc2217) {
            EXPECT_EQ(far_.Request("settings"), "9600 8N1");
        }
        SendMessageW(At(Slider1), WM_KEYDOWN, VK_DOWN, 1);
        SendMessageW(At(Slider1), WM_KEYUP, VK_DOWN, 0xC0000001);
        Press(Command3);
        std::string log;
        PumpUntil([&] { return (log = far_.SimulatorLog()).size() >= logged + expected.size(); });
        EXPECT_EQ(log.substr(logged), expected);

        far_.Request("hangup");
        ASSERT_TRUE(PumpUntil([&] { return !IsWindowEnabled(At(Command2)); })) << "connected";
        ASSERT_TRUE(boxes.empty()) << boxes.front().text;
    }
    const steady_clock::time_point start = steady_clock::now();
    Connect(address);
    EXPECT_LT(FailureShownAfter(start), milliseconds(1000));
}

// A server whose connects never complete: the one message after the connect limit, and not much
// later. Meanwhile the window shows the busy cursor and stays painted, a second press from another
// thread does nothing, and a close waits until the message has been shown.
TEST_F(NetworkTest, AConnectThatNeverCompletesFailsAfterThreeSecondsWithTheWindowPainted) {
    const std::string address = "rfc2217://127.0.0.1:" + far_.Request("unanswered");
    bool busyCursor = false, painted = false;
    std::thread meanwhile(
        [&, window = window_, connect = At(Command1), pressing = GetCurrentThreadId()] {
            std::this_thread::sleep_for(milliseconds(1000));
            // Threads that share their input share the cursor.
            AttachThreadInput(GetCurrentThreadId(), pressing, TRUE);
            busyCursor = GetCursor() == LoadCursorW(nullptr, IDC_WAIT);
            AttachThreadInput(GetCurrentThreadId(), pressing, FALSE);
            InvalidateRect(window, nullptr, TRUE);
            std::this_thread::sleep_for(milliseconds(300));
            painted = !GetUpdateRect(window, nullptr, FALSE);
            // As automation would: a second press, which must start no second connect, and a close.
            SendMessageTimeoutW(connect, BM_CLICK, 0, 0, SMTO_NORMAL, 3000, nullptr);
            SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 3000, nullptr);
        });
    const steady_clock::time_point start = steady_clock::now();
    Connect(address);
    meanwhile.join();
    const milliseconds shownAfter = FailureShownAfter(start);
    EXPECT_GE(shownAfter, milliseconds(2900));
    EXPECT_LT(shownAfter, milliseconds(3500));
    EXPECT_TRUE(busyCursor);
    EXPECT_TRUE(painted);
    EXPECT_TRUE(boxes.at(0).ownerThere) << "the window was closed under the connect";
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window_); })) << "the close was lost";
}

}  // namespace
}  // namespace quellmark

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <string>
#include <thread>

#include "far_end.h"
#include "message_pump.h"
#include "open_line.h"
#include "port_descriptions.h"
#include "shown_window.h"

namespace quellmark {
namespace {

using enum win32::ControlId;
using namespace std::chrono;
using test_support::PumpUntil;
using test_support::seenBoxes;

// The window on its port 2, which QUELLMARK_COM2 leads to a network address on 127.0.0.1, where
// the far end runs ser2net in front of the modem simulator's terminal. Any message box that comes
// up is recorded and answered.
class NetworkTest : public ::testing::Test, protected test_support::ShownWindow {
protected:
    NetworkTest() : ShownWindow(NumberedSystemPort(), DescribeSystemPorts) {
        SendMessageW(At(Combo1), CB_SETCURSEL, 1, 0);
    }

    // Presses "Verbinden" with port 2 at `address`.
    void Connect(const std::string& address) {
        SetEnvironmentVariableW(L"QUELLMARK_COM2", win32::ToWide(address).c_str());
        Press(Command1);
    }
    // How long after `start` the one box came, which has the open failure's message.
    milliseconds FailureShownAfter(steady_clock::time_point start) const {
        EXPECT_EQ(seenBoxes.size(), 1u);
        EXPECT_EQ(seenBoxes.at(0).text, "Fehler beim Öffnen des Comports!");
        return duration_cast<milliseconds>(seenBoxes.at(0).shown - start);
    }

    const test_support::BoxWatch boxes_;
    test_support::FarEnd far_;
};

// Over both forms: read, set and store, on channel "ÿ", which is the byte 0xFF both ways (the
// Telnet escape, doubled on the wire); the line settings that an rfc2217:// connect sets (the
// server's own are 19200 baud and 2 stop bits); then the server goes away, and the window
// disconnects without a box. A new connect to where nobody listens now shows the one message at
// once.
TEST_F(NetworkTest, BothFormsReadSetStoreAndDisconnectWhenTheServerGoes) {
    const std::string expected = "gsm+ \xff at+vgr?;+vgt?\rgsm+ \xff at+vgt=1\rgsm+ \xff at&w\r";
    std::string address;
    for (const bool rfc2217 : {true, false}) {
        SCOPED_TRACE(rfc2217 ? "rfc2217://" : "socket://");
        far_.Request("simulator --rx 70 --tx 0");
        address = far_.Request(rfc2217 ? "ser2net rfc2217" : "ser2net tcp");
        const std::size_t logged = far_.SimulatorLog().size();
        Connect(address);
        ASSERT_TRUE(IsWindowEnabled(At(Command2))) << "not connected";

        ASSERT_TRUE(ReadValues(L"\u00ff", 13, -2));
        if (rfc2217) {
            EXPECT_EQ(far_.Request("settings"), "9600 8N1");
        }
        PressKey(Slider1, VK_DOWN);
        Press(Command3);
        std::string log;
        PumpUntil([&] { return (log = far_.SimulatorLog()).size() >= logged + expected.size(); });
        EXPECT_EQ(log.substr(logged), expected);

        far_.Request("hangup");
        ASSERT_TRUE(PumpUntil([&] { return !IsWindowEnabled(At(Command2)); })) << "connected";
        ASSERT_TRUE(seenBoxes.empty()) << seenBoxes.front().text;
    }
    const steady_clock::time_point start = steady_clock::now();
    Connect(address);
    EXPECT_LT(FailureShownAfter(start), milliseconds(1000));
}

// A server whose connects never complete: the one message after the connect limit, and not much
// later. Meanwhile the window shows the busy cursor and stays painted, a second press from another
// thread does nothing, and a close waits until the message has been shown.
TEST_F(NetworkTest, AConnectThatNeverCompletesFailsAfterThreeSecondsWithTheWindowPainted) {
    const std::string address = far_.Request("unanswered");
    bool busyCursor = false, painted = false;
    std::thread meanwhile(
        [&, window = window, connect = At(Command1), pressing = GetCurrentThreadId()] {
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
    EXPECT_TRUE(seenBoxes.at(0).ownerThere) << "the window was closed under the connect";
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); })) << "the close was lost";
}

}  // namespace
}  // namespace quellmark

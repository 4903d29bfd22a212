#include <gtest/gtest.h>
#include <windows.h>

#include <dbt.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

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
using win32::ControlId;

const std::string kQueryA = "gsm+ A at+vgr?;+vgt?\r";

// Sends WM_DEVICECHANGE with `event` for the serial port `name` to every top-level window of this
// thread, as the system's broadcast does.
void BroadcastPortEvent(WPARAM event, const std::wstring& name) {
    std::vector<BYTE> broadcast(sizeof(DEV_BROADCAST_PORT_W) + name.size() * sizeof(wchar_t));
    auto* port = reinterpret_cast<DEV_BROADCAST_PORT_W*>(broadcast.data());
    port->dbcp_size = DWORD(broadcast.size());
    port->dbcp_devicetype = DBT_DEVTYP_PORT;
    name.copy(port->dbcp_name, name.size());
    std::pair<WPARAM, LPARAM> message(event, reinterpret_cast<LPARAM>(port));
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) {
            const auto& [event, header] = *reinterpret_cast<std::pair<WPARAM, LPARAM>*>(data);
            SendMessageW(window, WM_DEVICECHANGE, event, header);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&message));
}

// The real window on the real serial port. Its port 1 is COM1, which Wine's port registry leads
// to the modem simulator's link, so a restarted simulator is found where the first one was; port 2
// leads, through QUELLMARK_COM2, to a network address on 127.0.0.1, where the far end runs ser2net
// in front of the simulator's terminal. Any message box that comes up is recorded and answered,
// so that the test goes on and can say so.
class E2eTest : public ::testing::Test, protected test_support::ShownWindow {
protected:
    E2eTest() : ShownWindow(NumberedSystemPort(), DescribeSystemPorts) {}

    // Presses "Verbinden" with port 2 at `address`.
    void ConnectTo(const std::string& address) {
        SetEnvironmentVariableW(L"QUELLMARK_COM2", win32::ToWide(address).c_str());
        SendMessageW(At(Combo1), CB_SETCURSEL, 1, 0);
        Press(Command1);
    }
    // How long after `start` the one box came, which has the open failure's message.
    milliseconds FailureShownAfter(steady_clock::time_point start) const {
        EXPECT_EQ(seenBoxes.size(), 1u);
        EXPECT_EQ(seenBoxes.at(0).text, "Fehler beim Öffnen des Comports!");
        return duration_cast<milliseconds>(seenBoxes.at(0).shown - start);
    }

    bool Disconnected() const {
        return Text(Command1) == "Verbinden" && !IsWindowEnabled(At(Command2));
    }

    // Starts a simulator whose channels hold RX 70 (position -2) and TX 0 (position 13, 0 dB).
    bool Connect() {
        far_.Request("simulator --rx 70 --tx 0");
        Press(Command1);
        return Text(Command1) == "Trennen" && IsWindowEnabled(At(Command2));
    }

    // What the simulators have logged, once it is `size` bytes long.
    std::string Log(std::size_t size = 0) {
        std::string log;
        PumpUntil([&] { return (log = far_.SimulatorLog()).size() >= size; });
        return log;
    }

    const test_support::BoxWatch boxes_;
    test_support::FarEnd far_;
};

// Read, step, store and read again; then the simulator ends, as a device that goes away does: the
// window disconnects without a box and connects to the next one, which logs to the same file.
// Last, the system reports the port's device removed.
TEST_F(E2eTest, ReadStepStoreReadAgainLoseTheDeviceAndReconnect) {
    ASSERT_TRUE(Connect()) << Text(Command1);
    ASSERT_TRUE(ReadValues(L"A", 13, -2));
    PumpUntil([] { return false; }, 300);  // for a set command wrongly following the read to arrive
    EXPECT_EQ(Log(), kQueryA);

    const std::pair<ControlId, WORD> keys[] = {
        {Slider1, VK_NEXT}, {Slider1, VK_UP}, {Slider2, VK_DOWN}, {Slider2, VK_DOWN}};
    for (const auto& [slider, key] : keys) {
        PressKey(slider, key);
    }
    Press(Command3);
    // A channel named in the user's code page (Windows-1252 here) goes out a byte a character, and
    // one the code page lacks as "?", not as a letter that looks like it.
    ASSERT_TRUE(ReadValues(L"\u00e9\u20ac\u0142", 13, -2));
    ASSERT_TRUE(ReadValues(L"A", 17, 0));

    far_.Request("hangup");
    ASSERT_TRUE(PumpUntil([&] { return Disconnected(); })) << Text(Command1);
    ASSERT_TRUE(Connect()) << Text(Command1);
    ASSERT_TRUE(ReadValues(L"A", 13, -2));
    const std::string expected = kQueryA + "gsm+ A at+vgt=5\rgsm+ A at+vgt=4\rgsm+ A at+vgr=64\r" +
                                 "gsm+ A at+vgr=48\rgsm+ A at&w\rgsm+ \xe9\x80? at+vgr?;+vgt?\r" +
                                 kQueryA + kQueryA;
    EXPECT_EQ(Log(expected.size()), expected);

    // The system's word that another adapter is gone changes nothing; that the one behind COM1 is
    // gone, in whatever case it names the port, disconnects as a failing read does.
    BroadcastPortEvent(DBT_DEVICEREMOVECOMPLETE, L"COM7");
    PumpUntil([] { return false; }, 300);
    ASSERT_FALSE(Disconnected());
    BroadcastPortEvent(DBT_DEVICEREMOVECOMPLETE, L"com1");
    EXPECT_TRUE(PumpUntil([&] { return Disconnected(); })) << Text(Command1);
    EXPECT_TRUE(seenBoxes.empty()) << "message boxes came up: " << seenBoxes.front().text;
}

// Over both forms: read, set and store, on channel "ÿ", which is the byte 0xFF both ways (the
// Telnet escape, doubled on the wire); the line settings that an rfc2217:// connect sets (the
// server's own are 19200 baud and 2 stop bits); then the server goes away, and the window
// disconnects without a box. A new connect to where nobody listens now shows the one message at
// once.
TEST_F(E2eTest, BothFormsReadSetStoreAndDisconnectWhenTheServerGoes) {
    const std::string expected = "gsm+ \xff at+vgr?;+vgt?\rgsm+ \xff at+vgt=1\rgsm+ \xff at&w\r";
    std::string address;
    for (const bool rfc2217 : {true, false}) {
        SCOPED_TRACE(rfc2217 ? "rfc2217://" : "socket://");
        far_.Request("simulator --rx 70 --tx 0");
        address = far_.Request(rfc2217 ? "ser2net rfc2217" : "ser2net tcp");
        const std::size_t logged = far_.SimulatorLog().size();
        ConnectTo(address);
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
    ConnectTo(address);
    EXPECT_LT(FailureShownAfter(start), milliseconds(1000));
}

// A server whose connects never complete: the one message after the connect limit, and not much
// later. Meanwhile the window shows the busy cursor and stays painted, a second press from another
// thread does nothing, and a close waits until the message has been shown.
TEST_F(E2eTest, AConnectThatNeverCompletesFailsAfterThreeSecondsWithTheWindowPainted) {
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
    ConnectTo(address);
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

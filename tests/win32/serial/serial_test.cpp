#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "ansi_text.h"
#include "far_end.h"
#include "message_pump.h"
#include "win32_serial_port.h"

namespace quellmark {
namespace {

using test_support::PumpUntil;

// Port 1 leads to a new pseudo-terminal whose far end the test plays.
class Win32SerialPortTest : public ::testing::Test {
protected:
    Win32SerialPortTest() {
        NewTerminal();
        port_.SetEventHandler([this] { openAtEvents_.push_back(port_.IsOpen()); });
    }

    void NewTerminal() { SetEnvironmentVariableW(L"QUELLMARK_COM1", far_.OpenTerminal().c_str()); }

    test_support::FarEnd far_;
    Win32SerialPort port_;
    std::vector<bool> openAtEvents_;
};

// Bytes that came before the port was opened are dropped. A message box runs a loop of its own;
// the notifications go on arriving there, on this thread.
TEST_F(Win32SerialPortTest, OpenSetsTheLineUpDropsWhatCameBeforeAndNotifiesInAMessageBox) {
    far_.Send("+VGR: 0\r\n");
    ASSERT_TRUE(port_.Open());
    EXPECT_EQ(far_.Request("settings"), "9600 8N1");
    static const wchar_t title[] = L"Quellmark serial test";
    const std::string reply = "gsm+ A at+vgr?;+vgt?+VGR: 40\r\n";
    far_.Send(reply);
    std::string received;
    port_.SetEventHandler([&, thread = GetCurrentThreadId()] {
        EXPECT_EQ(GetCurrentThreadId(), thread);
        received += port_.ReadAll();
        if (received == reply) {
            PostMessageW(FindWindowW(nullptr, title), WM_COMMAND, IDOK, 0);
        }
    });
    // Closes the box should the reply never come, so that the test fails instead of hanging.
    const UINT_PTR guard = SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) {
        PostMessageW(FindWindowW(nullptr, title), WM_COMMAND, IDCANCEL, 0);
    });
    const int answer = MessageBoxW(nullptr, L"waiting for the reply", title, MB_OKCANCEL);
    KillTimer(nullptr, guard);
    EXPECT_EQ(answer, IDOK) << "received " << received.size() << " of " << reply.size();
}

// Wine hands out the lowest free handle value (and its GetProcessHandleCount() says 0): handles
// left open push the next one up.
std::uintptr_t NextHandleValue() {
    const HANDLE probe = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(probe);
    return reinterpret_cast<std::uintptr_t>(probe);
}

TEST_F(Win32SerialPortTest, TwoHundredConnectCyclesLeaveNoHandleBehind) {
    std::uintptr_t handleBefore = 0;
    for (int cycle = -10; cycle < 200; ++cycle) {  // the first cycles fill caches that stay
        handleBefore = cycle == 0 ? NextHandleValue() : handleBefore;
        ASSERT_TRUE(port_.Open()) << "cycle " << cycle;
        port_.Write("gsm+ A at&w\r");
        port_.Close();
    }
    // A leak shows as one or more a cycle; handle values go in steps of 4.
    EXPECT_LE(NextHandleValue(), handleBefore + 2 * 4);
}

// The far end reads nothing, so the terminal fills and the writer waits on it. Below the queue's
// limit of 64 KiB Close gives up on the rest; beyond it the device is taken as lost.
TEST_F(Win32SerialPortTest, AStalledDeviceHoldsUpNeitherWriteNorClose) {
    using namespace std::chrono;
    for (const int kilobytes : {60, 200}) {
        SCOPED_TRACE(kilobytes);
        NewTerminal();
        ASSERT_TRUE(port_.Open());
        const steady_clock::time_point start = steady_clock::now();
        for (int i = 0; i < kilobytes; ++i) {
            port_.Write(std::string(1000, 'x'));
        }
        EXPECT_LT(steady_clock::now() - start, milliseconds(100));
        if (kilobytes > 64) {
            ASSERT_TRUE(PumpUntil([&] { return !port_.IsOpen(); })) << "open with a full queue";
            EXPECT_EQ(openAtEvents_, std::vector<bool>{false});
        } else {
            port_.Close();
            EXPECT_LT(steady_clock::now() - start, milliseconds(1500));
            PumpUntil([] { return false; }, 100);
            EXPECT_TRUE(openAtEvents_.empty());
        }
    }
}

// The channel text on the line: one byte a character, '?' where the code page has none.
TEST(ToAnsiBytes, OneBytePerCharacterInTheAnsiCodePageElseOneQuestionMark) {
    ASSERT_EQ(GetACP(), 1252u) << "the expectations below are Windows-1252";
    const std::pair<std::string, std::string> cases[] = {
        {"gsm+ A at&w\r\x01\x7f", "gsm+ A at&w\r\x01\x7f"},
        {"\xc3\xa9\xe2\x82\xac", "\xe9\x80"},          // é €: both in the code page
        {"\xc5\x82\xc4\x80", "??"},                    // ł Ā: no best-fit l and A
        {"\xf0\x9f\x98\x80|\xf0\x9f\x98\x80", "?|?"},  // one '?' for a surrogate pair
    };
    for (const auto& [utf8, expected] : cases) {
        EXPECT_EQ(ToAnsiBytes(utf8), expected) << utf8;
    }
}

}  // namespace
}  // namespace quellmark

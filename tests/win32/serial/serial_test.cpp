#include <gtest/gtest.h>
#include <windows.h>

#include <tlhelp32.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "ansi_text.h"
#include "far_end.h"
#include "message_pump.h"
#include "win32_serial_port.h"

namespace quellmark {
namespace {

using test_support::PumpFor;
using test_support::PumpUntil;

TEST(ToAnsiBytes, OneBytePerCharacterInTheAnsiCodePageElseOneQuestionMark) {
    ASSERT_EQ(GetACP(), 1252u) << "the expectations below are Windows-1252";
    const std::pair<std::string, std::string> cases[] = {
        {"gsm+ A at&w\r\n\x01\x7f", "gsm+ A at&w\r\n\x01\x7f"},
        {"\xc3\xa9\xe2\x82\xac", "\xe9\x80"},          // é €: both in the code page
        {"\xc5\x82\xc4\x80", "??"},                    // ł Ā: no best-fit l and A
        {"\xf0\x9f\x98\x80|\xf0\x9f\x98\x80", "?|?"},  // one '?' for a surrogate pair
        {"a\xff"
         "b\xc3",
         "a?b?"}};  // not UTF-8
    for (const auto& [utf8, expected] : cases) {
        EXPECT_EQ(ToAnsiBytes(utf8), expected) << utf8;
    }
}

// Port 1 leads to a new pseudo-terminal whose far end the test plays.
class Win32SerialPortTest : public ::testing::Test {
protected:
    Win32SerialPortTest() {
        NewTerminal();
        port_.SetEventHandler([this] {
            EXPECT_EQ(GetCurrentThreadId(), testThread_);
            openAtEvents_.push_back(port_.IsOpen());
            received_ += port_.ReadAll();
        });
    }
    ~Win32SerialPortTest() override { port_.Close(); }

    void NewTerminal() { SetEnvironmentVariableW(L"QUELLMARK_COM1", far_.OpenTerminal().c_str()); }

    const DWORD testThread_ = GetCurrentThreadId();
    test_support::FarEnd far_;
    Win32SerialPort port_;
    std::vector<bool> openAtEvents_;
    std::string received_;
};

TEST_F(Win32SerialPortTest, OpenSetsTheLineUpAndDropsWhatCameBefore) {
    far_.Send("+VGR: 0\r\n");
    ASSERT_TRUE(port_.Open());
    EXPECT_EQ(far_.Request("settings"), "9600 8N1");
    far_.Send("fresh");
    EXPECT_TRUE(PumpUntil([&] { return received_.size() >= 5; })) << received_;
    EXPECT_EQ(received_, "fresh");
}

TEST_F(Win32SerialPortTest, BytesCrossBothWaysWholeAndInOrder) {
    ASSERT_TRUE(port_.Open());
    std::string expected = "\xe9 ?\r";
    port_.Write("\xc3\xa9 \xf0\x9f\x98\x80\r");
    for (int i = 0; i < 300; ++i) {
        const std::string line = "gsm+ A at+vgt=" + std::to_string(i) + "\r";
        port_.Write(line);
        expected += line;
    }
    EXPECT_EQ(far_.Receive(expected.size()), expected);

    // Every byte value twice, in pieces of several sizes.
    std::string sent;
    for (int i = 0; i < 512; ++i) {
        sent += char(i);
    }
    for (std::size_t at = 0, size = 1; at < sent.size(); at += size, size = size * 3 % 97 + 1) {
        far_.Send(sent.substr(at, size));
    }
    EXPECT_TRUE(PumpUntil([&] { return received_.size() >= sent.size(); }));
    EXPECT_EQ(received_, sent);
}

// A message box runs a loop of its own; the notifications go on arriving there.
TEST_F(Win32SerialPortTest, NotificationsArriveWhileAMessageBoxIsUp) {
    ASSERT_TRUE(port_.Open());
    static const wchar_t title[] = L"Quellmark serial test";
    const std::string reply = "gsm+ A at+vgr?;+vgt?+VGR: 40\r\n";
    std::thread farEnd([&] {
        for (int wait = 0; wait < 500 && FindWindowW(nullptr, title) == nullptr; ++wait) {
            Sleep(10);
        }
        for (const char byte : reply) {
            far_.Send(std::string(1, byte));
        }
    });
    port_.SetEventHandler([&] {
        EXPECT_EQ(GetCurrentThreadId(), testThread_);
        received_ += port_.ReadAll();
        if (received_ == reply) {
            PostMessageW(FindWindowW(nullptr, title), WM_COMMAND, IDOK, 0);
        }
    });
    // Closes the box should the reply never come, so that the test fails instead of hanging.
    const UINT_PTR guard = SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) {
        PostMessageW(FindWindowW(nullptr, title), WM_COMMAND, IDCANCEL, 0);
    });
    const int answer = MessageBoxW(nullptr, L"waiting for the reply", title, MB_OKCANCEL);
    KillTimer(nullptr, guard);
    farEnd.join();
    EXPECT_EQ(answer, IDOK) << "received " << received_.size() << " of " << reply.size();
}

// Bytes arrive, or bytes and then a hang-up, while the window thread is busy: their notice is
// posted but not delivered. When it runs on, the bytes come first, while the port is open, then
// the hang-up closes the port and notifies once; when it closes the port first, nothing comes.
TEST_F(Win32SerialPortTest, AHangUpNotifiesOnceAndNothingIsNotifiedAfterClose) {
    const std::tuple<bool, bool, std::vector<bool>> cases[] = {
        {false, true, {}}, {true, true, {}}, {true, false, {true, false}}};
    for (const auto& [hangUp, closeFirst, expected] : cases) {
        SCOPED_TRACE(std::string(hangUp ? "hang-up" : "bytes") + (closeFirst ? ", close" : ""));
        NewTerminal();
        openAtEvents_.clear();
        received_.clear();
        ASSERT_TRUE(port_.Open());
        far_.Send("+VGR: 0\r\n");
        for (int wait = 0; wait < 500 && port_.WaitingCount() < 9; ++wait) {
            Sleep(10);
        }
        if (hangUp) {
            far_.Request("hangup");
        }
        Sleep(300);  // for the reader to see the hang-up and post its notice
        if (closeFirst) {
            port_.Close();
        }
        PumpFor(300);
        port_.Close();
        PumpFor(100);
        EXPECT_EQ(openAtEvents_, expected);
        EXPECT_EQ(received_, closeFirst ? "" : "+VGR: 0\r\n");
        EXPECT_EQ(port_.WaitingCount(), 0u);
    }
}

TEST_F(Win32SerialPortTest, OpenFailsWithoutADeviceAndLeavesThePortClosed) {
    SetEnvironmentVariableW(L"QUELLMARK_COM2", L"Z:\\nonexistent\\ttyQM0");
    for (const int number : {0, 2, 11}) {
        ASSERT_TRUE(port_.Open());
        port_.SetPortNumber(number);
        EXPECT_FALSE(port_.Open()) << number;
        EXPECT_FALSE(port_.IsOpen()) << number;
        port_.SetPortNumber(1);
    }
    SetEnvironmentVariableW(L"QUELLMARK_COM2", nullptr);
}

// Wine hands out the lowest free handle value (and its GetProcessHandleCount() says 0): handles
// left open push the next one up.
std::uintptr_t NextHandleValue() {
    const HANDLE probe = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(probe);
    return reinterpret_cast<std::uintptr_t>(probe);
}

std::size_t ThreadCount() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    std::size_t count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    }
    CloseHandle(snapshot);
    return count;
}

TEST_F(Win32SerialPortTest, TwoHundredConnectCyclesLeaveNoHandleOrThreadBehind) {
    std::uintptr_t handleBefore = 0;
    std::size_t threadsBefore = 0;
    // The first cycles fill caches that stay.
    for (int cycle = -10; cycle < 200; ++cycle) {
        if (cycle == 0) {
            handleBefore = NextHandleValue();
            threadsBefore = ThreadCount();
        }
        ASSERT_TRUE(port_.Open()) << "cycle " << cycle;
        port_.Write("gsm+ A at&w\r");
        port_.Close();
    }
    // A leak shows as one or more a cycle; handle values go in steps of 4. GoogleTest starts a
    // watcher thread of its own at times.
    EXPECT_LE(NextHandleValue(), handleBefore + 2 * 4);
    EXPECT_LE(ThreadCount(), threadsBefore + 1);
    EXPECT_EQ(far_.Receive(210 * 12).size(), 210u * 12);
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
            PumpFor(100);
            EXPECT_TRUE(openAtEvents_.empty());
        }
    }
}

}  // namespace
}  // namespace quellmark

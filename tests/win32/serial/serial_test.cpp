#include <gtest/gtest.h>
#include <windows.h>

#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "ansi_text.h"
#include "device_name.h"
#include "far_end.h"
#include "message_pump.h"
#include "win32_serial_port.h"

namespace quellmark {
namespace {

using test_support::PumpFor;
using test_support::PumpUntil;

TEST(DeviceNameForPort, ConfiguredElseTheDeviceNamespaceWithinOneToTen) {
    const auto environment = [](const wchar_t* name) -> std::wstring {
        return std::wstring(name) == L"QUELLMARK_COM10" ? L"\\\\.\\COM23" : L"";
    };
    const std::pair<int, std::wstring> cases[] = {
        {0, L""}, {1, L"\\\\.\\COM1"}, {9, L"\\\\.\\COM9"}, {10, L"\\\\.\\COM23"}, {11, L""}};
    for (const auto& [number, expected] : cases) {
        EXPECT_EQ(DeviceNameForPort(number, environment), expected) << number;
    }
}

TEST(ToAnsiBytes, OneBytePerCharacterInTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 1252u) << "the expectations below are Windows-1252";
    const std::pair<std::string, std::string> cases[] = {
        {"gsm+ A at&w\r\n\x01\x7f", "gsm+ A at&w\r\n\x01\x7f"},
        {"\xc3\xa9\xe2\x82\xac", "\xe9\x80"},          // é €: both in the code page
        {"\xc5\x82\xc4\x80", "??"},                    // ł Ā: no best-fit l and A
        {"\xf0\x9f\x98\x80|\xf0\x9f\x98\x80", "?|?"},  // one '?' for a surrogate pair
        {std::string("a\xff"
                     "b\xc3",
                     4),
         "a?b?"},  // bytes that are not UTF-8
        {"", ""}};
    for (const auto& [utf8, expected] : cases) {
        EXPECT_EQ(ToAnsiBytes(utf8), expected) << utf8;
    }
}

// Port 1 leads to a new pseudo-terminal whose far end the test plays.
class Win32SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetEnvironmentVariableW(L"QUELLMARK_COM1", far_.OpenTerminal().c_str());
        port_.SetEventHandler([this] {
            EXPECT_EQ(GetCurrentThreadId(), testThread_);
            openAtEvents_.push_back(port_.IsOpen());
            received_ += port_.ReadAll();
        });
    }
    void TearDown() override {
        port_.Close();
        SetEnvironmentVariableW(L"QUELLMARK_COM1", nullptr);
    }

    // Waits until the port holds `count` received bytes, delivering no message meanwhile.
    bool HoldsWithoutDelivering(std::size_t count) const {
        for (int wait = 0; wait < 500 && port_.WaitingCount() < count; ++wait) {
            Sleep(10);
        }
        Sleep(50);  // for the notice posted right after the bytes were left
        return port_.WaitingCount() == count;
    }

    const DWORD testThread_ = GetCurrentThreadId();
    test_support::FarEnd far_;
    Win32SerialPort port_;
    std::vector<bool> openAtEvents_;
    std::string received_;
};

TEST_F(Win32SerialPortTest, OpenSetsTheLineUpAndDropsWhatCameBefore) {
    far_.Send("+VGR: 0\r\n");
    ASSERT_TRUE(port_.Open());
    EXPECT_EQ(far_.Settings(), "baud=9600 bits=8 parity=none stop=1 rtscts=0 xon=0 xoff=0");
    far_.Send("fresh");
    EXPECT_TRUE(PumpUntil([&] { return received_.size() >= 5; })) << received_;
    EXPECT_EQ(received_, "fresh");
}

TEST_F(Win32SerialPortTest, BytesCrossBothWaysWholeAndInOrder) {
    ASSERT_TRUE(port_.Open());
    std::string sent, expected;
    for (int i = 0; i < 300; ++i) {
        const std::string line = "gsm+ A at+vgt=" + std::to_string(i) + "\r";
        port_.Write(line);
        expected += line;
    }
    port_.Write("\xc3\xa9 \xf0\x9f\x98\x80\r");
    expected += "\xe9 ?\r";
    EXPECT_EQ(far_.Receive(expected.size()), expected);

    // Every byte value, in pieces of several sizes.
    for (int i = 0; i < 256; ++i) {
        sent += char(i);
    }
    sent += sent;
    for (std::size_t at = 0, size = 1; at < sent.size(); at += size, size = size * 3 % 97 + 1) {
        far_.Send(sent.substr(at, size));
    }
    EXPECT_TRUE(PumpUntil([&] { return received_.size() >= sent.size(); }));
    EXPECT_EQ(received_, sent);
    EXPECT_EQ(port_.WaitingCount(), 0u);
}

// A message box runs a loop of its own; the notifications go on arriving there.
TEST_F(Win32SerialPortTest, NotificationsArriveWhileAMessageBoxIsUp) {
    ASSERT_TRUE(port_.Open());
    const wchar_t title[] = L"Quellmark serial test";
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
        PostMessageW(FindWindowW(nullptr, L"Quellmark serial test"), WM_COMMAND, IDCANCEL, 0);
    });
    const int answer = MessageBoxW(nullptr, L"waiting for the reply", title, MB_OKCANCEL);
    KillTimer(nullptr, guard);
    farEnd.join();
    EXPECT_EQ(answer, IDOK) << "received " << received_.size() << " of " << reply.size();
}

TEST_F(Win32SerialPortTest, FarEndHangingUpClosesThePortAndNotifiesOnce) {
    ASSERT_TRUE(port_.Open());
    far_.Send("+VGT");
    // The bytes are read, and the hang-up most likely noticed, before the window thread looks.
    ASSERT_TRUE(HoldsWithoutDelivering(4));
    far_.HangUp();
    Sleep(300);
    ASSERT_TRUE(PumpUntil([&] { return !port_.IsOpen(); })) << "the hang-up went unnoticed";
    PumpFor(200);
    port_.Close();
    PumpFor(100);
    // What came before the hang-up is delivered first, while the port is still open.
    EXPECT_EQ(received_, "+VGT");
    EXPECT_EQ(openAtEvents_, (std::vector<bool>{true, false}));
}

// The notice is posted but not yet delivered when the port closes: bytes arrived, or the far end
// hung up.
TEST_F(Win32SerialPortTest, NothingIsNotifiedAfterClose) {
    for (const bool hangUp : {false, true}) {
        SCOPED_TRACE(hangUp ? "hang-up" : "bytes");
        ASSERT_TRUE(port_.Open());
        far_.Send("+VGR: 0\r\n");
        ASSERT_TRUE(HoldsWithoutDelivering(9));
        if (hangUp) {
            far_.HangUp();
        }
        Sleep(300);
        port_.Close();
        PumpFor(300);
        EXPECT_TRUE(openAtEvents_.empty());
        EXPECT_EQ(port_.WaitingCount(), 0u);
        SetEnvironmentVariableW(L"QUELLMARK_COM1", far_.OpenTerminal().c_str());
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

// GetProcessHandleCount() always says 0 under Wine; the system's handle table has them all.
std::size_t HandleCount() {
    struct Entry {
        PVOID object;
        ULONG_PTR process;
        ULONG_PTR handle;
        ULONG access;
        USHORT backTrace;
        USHORT type;
        ULONG attributes;
        ULONG reserved;
    };
    struct Table {
        ULONG_PTR count;
        ULONG_PTR reserved;
        Entry entries[1];
    };
    constexpr auto kExtendedHandleInformation = SYSTEM_INFORMATION_CLASS(64);
    constexpr NTSTATUS kBufferTooSmall = NTSTATUS(0xC0000004L);
    std::vector<char> buffer(1 << 16);
    while (NtQuerySystemInformation(kExtendedHandleInformation, buffer.data(), ULONG(buffer.size()),
                                    nullptr) == kBufferTooSmall) {
        buffer.resize(buffer.size() * 2);
    }
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    return std::count_if(table->entries, table->entries + table->count,
                         [](const Entry& entry) { return entry.process == GetCurrentProcessId(); });
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
    std::size_t handlesBefore = 0, threadsBefore = 0;
    // The first cycles fill caches that stay.
    for (int cycle = -10; cycle < 200; ++cycle) {
        if (cycle == 0) {
            handlesBefore = HandleCount();
            threadsBefore = ThreadCount();
        }
        ASSERT_TRUE(port_.Open()) << "cycle " << cycle;
        port_.Write("gsm+ A at&w\r");
        port_.Close();
    }
    // A leak shows as one or more per cycle. GoogleTest starts a watcher thread of its own at
    // times, which the slack allows for.
    const std::size_t handlesAfter = HandleCount(), threadsAfter = ThreadCount();
    EXPECT_LE(handlesAfter, handlesBefore + 2);
    EXPECT_LE(threadsAfter, threadsBefore + 1);
    EXPECT_EQ(far_.Receive(210 * 12, 2000).size(), 210u * 12);
}

// The far end reads nothing, so the terminal fills and the writer waits on it.
TEST_F(Win32SerialPortTest, AStalledDeviceHoldsUpNeitherWriteNorClose) {
    using Clock = std::chrono::steady_clock;
    ASSERT_TRUE(port_.Open());
    const std::string line(1000, 'x');
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < 60; ++i) {
        port_.Write(line);
    }
    const Clock::time_point written = Clock::now();
    port_.Close();
    const Clock::time_point closed = Clock::now();
    EXPECT_LT(written - start, std::chrono::milliseconds(100));
    EXPECT_LT(closed - written, std::chrono::milliseconds(1500));
    PumpFor(100);
    EXPECT_TRUE(openAtEvents_.empty());
}

TEST_F(Win32SerialPortTest, AStalledDeviceThatLetsTheQueueOverflowIsTreatedAsLost) {
    ASSERT_TRUE(port_.Open());
    const std::string line(1000, 'x');
    for (int i = 0; i < 200 && port_.IsOpen(); ++i) {
        port_.Write(line);
        PumpFor(0);
    }
    ASSERT_TRUE(PumpUntil([&] { return !port_.IsOpen(); })) << "still open with a full queue";
    EXPECT_EQ(openAtEvents_, std::vector<bool>{false});
}

}  // namespace
}  // namespace quellmark

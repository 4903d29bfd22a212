#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "far_end.h"
#include "message_pump.h"
#include "open_line.h"
#include "port_reader.h"
#include "port_writer.h"

// Where the program calls SetupComm: its import, which a test points at a driver of its own.
extern "C" decltype(&SetupComm) __imp_SetupComm;

namespace quellmark {
namespace {

using namespace std::chrono;
using test_support::PumpUntil;

// A driver that refuses the queue sizes it is asked for, as some virtual COM drivers do.
int setupCommRefusals = 0;
BOOL WINAPI RefuseSetupComm(HANDLE, DWORD, DWORD) {
    ++setupCommRefusals;
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

// Port 1 leads to a new pseudo-terminal whose far end the test plays.
struct Win32SerialPortTest : ::testing::Test {
    Win32SerialPortTest() {
        NewTerminal();
        port_->SetEventHandler([this] { openAtEvents_.push_back(port_->IsOpen()); });
    }

    void NewTerminal() { SetEnvironmentVariableW(L"QUELLMARK_COM1", far_.OpenTerminal().c_str()); }

    test_support::FarEnd far_;
    const std::unique_ptr<SerialPort> port_ = NumberedSystemPort();
    std::vector<bool> openAtEvents_;
};

// A driver that refuses the queue sizes still opens. Bytes that came before the port was opened
// are dropped. A message box runs a loop of its own; the notifications go on arriving there, on
// this thread.
TEST_F(Win32SerialPortTest, OpenSetsTheLineUpDropsWhatCameBeforeAndNotifiesInAMessageBox) {
    far_.Send("+VGR: 0\r\n");
    const auto setupComm = std::exchange(__imp_SetupComm, &RefuseSetupComm);
    const bool opened = port_->Open();
    __imp_SetupComm = setupComm;
    ASSERT_TRUE(opened) << "with SetupComm refused";
    ASSERT_GT(setupCommRefusals, 0) << "SetupComm was not asked";
    EXPECT_EQ(far_.Request("settings"), "9600 8N1");
    static const wchar_t title[] = L"Quellmark serial test";
    const std::string reply = "gsm+ A at+vgr?;+vgt?+VGR: 40\r\n";
    far_.Send(reply);
    std::string received;
    port_->SetEventHandler([&, thread = GetCurrentThreadId()] {
        EXPECT_EQ(GetCurrentThreadId(), thread);
        received += port_->ReadAll();
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

// A device that takes what it is sent never fills the queue, however much goes through it over
// time. Commands written just before Close still go out. A notice of received bytes that Close made
// stale must not keep the next connection from hearing its replies, which reach the window thread
// whole and soon after their last byte, also when they come a byte at a time with gaps longer than
// the reads' quiet interval and nothing follows them.
TEST_F(Win32SerialPortTest, CommandsGoOutPastTheQueueLimitAndBeforeCloseAndRepliesComeAfterIt) {
    ASSERT_TRUE(port_->Open());
    const std::string command = "gsm+ A at+vgt=12\r";
    for (std::size_t sent = 0, received = 0; sent < PortWriter::kQueueLimitBytes * 3 / 2;) {
        for (int i = 0; i < 100; ++i, sent += command.size()) {
            port_->Write(command);
        }
        for (const ULONGLONG end = GetTickCount64() + 5000;
             received < sent && GetTickCount64() < end; Sleep(1)) {
            received += far_.Receive().size();
        }
        ASSERT_EQ(received, sent);
    }
    PumpUntil([] { return false; }, 100);
    ASSERT_TRUE(port_->IsOpen());
    EXPECT_EQ(port_->UnsentCount(), 0u);
    // The queue's emptying is told, and nothing reports a loss.
    EXPECT_FALSE(openAtEvents_.empty());
    EXPECT_EQ(std::ranges::count(openAtEvents_, false), 0);

    far_.Send("+VGT: 5\r\n");
    // Without pumping, so that the notice stays unhandled until Close.
    for (int wait = 0; wait < 500 && port_->WaitingCount() == 0; ++wait) {
        Sleep(10);
    }
    ASSERT_GT(port_->WaitingCount(), 0u);
    std::string commands;
    for (int value = 0; value < 200; ++value) {
        const std::string numbered = "gsm+ A at+vgt=" + std::to_string(value) + "\r";
        commands += numbered;
        port_->Write(numbered);
    }
    port_->Close();
    EXPECT_EQ(far_.Receive(), commands);

    ASSERT_TRUE(port_->Open());
    std::string received;
    port_->SetEventHandler([&] { received += port_->ReadAll(); });
    const std::string reply = "+VGT: 6\r\n";
    for (const char byte : reply) {
        PumpUntil([] { return false; }, 40);
        far_.Send(std::string(1, byte));
    }
    const steady_clock::time_point lastByte = steady_clock::now();
    ASSERT_TRUE(PumpUntil([&] { return received.size() >= reply.size(); })) << received;
    EXPECT_LT(steady_clock::now() - lastByte, milliseconds(200));
    EXPECT_EQ(received, reply);
}

// A driver whose read ignores cancellation holds up neither Close nor the next steps; the read
// that ends later, with a byte, reports nothing to the port it has left.
TEST_F(Win32SerialPortTest, CloseReturnsPromptlyFromAReadThatIgnoresCancellation) {
    const UniqueHandle entered = CreateManualResetEvent();
    const UniqueHandle released = CreateManualResetEvent();
    const auto read = [entered = entered.Get(), released = released.Get()](
                          HANDLE, std::span<char> buffer, HANDLE, HANDLE stop, DWORD& count) {
        if (WaitForSingleObject(stop, 0) == WAIT_OBJECT_0) {
            return IoOutcome::kStopped;
        }
        SetEvent(entered);
        WaitForSingleObject(released, 3000);  // a Close that waits for it fails, not hangs
        buffer[0] = 'x';
        count = 1;
        return IoOutcome::kDone;
    };
    const std::unique_ptr<SerialPort> port = NumberedSystemPort({read});
    int events = 0;
    port->SetEventHandler([&] { ++events; });
    ASSERT_TRUE(port->Open());
    ASSERT_EQ(WaitForSingleObject(entered.Get(), 5000), WAIT_OBJECT_0);
    const steady_clock::time_point start = steady_clock::now();
    port->Close();
    EXPECT_LT(steady_clock::now() - start, milliseconds(1000));
    EXPECT_FALSE(port->IsOpen());
    SetEvent(released.Get());
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(port->WaitingCount(), 0u);
}

// The far end reads nothing, so the terminal fills and the writer waits on it. Below the queue's
// limit of 64 KiB Close gives up on the rest; beyond it the device is taken as lost.
TEST_F(Win32SerialPortTest, AStalledDeviceHoldsUpNeitherWriteNorClose) {
    for (const int kilobytes : {60, 200}) {
        SCOPED_TRACE(kilobytes);
        NewTerminal();
        ASSERT_TRUE(port_->Open());
        const steady_clock::time_point start = steady_clock::now();
        for (int i = 0; i < kilobytes; ++i) {
            port_->Write(std::string(1000, 'x'));
        }
        EXPECT_LT(steady_clock::now() - start, milliseconds(100));
        if (kilobytes > 64) {
            ASSERT_TRUE(PumpUntil([&] { return !port_->IsOpen(); })) << "open with a full queue";
            EXPECT_EQ(openAtEvents_, std::vector<bool>{false});
        } else {
            port_->Close();
            EXPECT_LT(steady_clock::now() - start, milliseconds(1500));
            PumpUntil([] { return false; }, 100);
            EXPECT_TRUE(openAtEvents_.empty());
        }
    }
}

// A driver whose reads complete with success and no bytes, a thousand times before "abc" comes:
// such reads are neither data nor loss unless the line is gone, and the reader does not spin on
// them.
TEST(PortReader, ReadsThatBringNothingAreNotLossUnlessTheLineIsGoneAndDoNotSpin) {
    constexpr int kEmptyReads = 1000;
    constexpr milliseconds kPause{2};
    for (const bool lineAnswers : {true, false}) {
        SCOPED_TRACE(lineAnswers ? "line answers" : "line gone");
        int reads = 0;
        const auto read = [&reads](HANDLE, std::span<char> buffer, HANDLE, HANDLE stop,
                                   DWORD& count) {
            count = 0;
            if (++reads == kEmptyReads + 1) {
                count = 3;
                std::memcpy(buffer.data(), "abc", count);
            } else if (reads > kEmptyReads) {
                WaitForSingleObject(stop, INFINITE);
                return IoOutcome::kStopped;
            }
            return IoOutcome::kDone;
        };
        std::string received;  // "(lost)" for each loss reported
        const UniqueHandle arrived = CreateManualResetEvent();
        const steady_clock::time_point start = steady_clock::now();
        {
            const PortReader reader(
                std::make_shared<const UniqueHandle>(),
                {read, [=](HANDLE) { return lineAnswers; }, kPause},
                [&](std::string_view bytes) {
                    received += bytes;
                    SetEvent(arrived.Get());
                },
                [&] {
                    received += "(lost)";
                    SetEvent(arrived.Get());
                });
            ASSERT_EQ(WaitForSingleObject(arrived.Get(), 10000), WAIT_OBJECT_0);
        }
        EXPECT_EQ(received, lineAnswers ? "abc" : "(lost)");
        // A reader that does not pause gets through the empty reads at once.
        if (lineAnswers) {
            EXPECT_GE(steady_clock::now() - start, kPause * kEmptyReads * 3 / 4);
        }
    }
}

}  // namespace
}  // namespace quellmark

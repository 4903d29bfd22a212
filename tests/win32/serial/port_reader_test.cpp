#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>

#include "port_reader.h"

namespace quellmark {
namespace {

using namespace std::chrono;

milliseconds ProcessorTime() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ticks = [](FILETIME time) {
        return (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return duration_cast<milliseconds>(
        duration<ULONGLONG, std::ratio<1, 10'000'000>>(ticks(kernel) + ticks(user)));
}

// A message-mode pipe written with empty messages: each completes a read with success and no
// bytes, as some serial drivers do. ClearCommError fails on a pipe, so the line check is played.
TEST(PortReader, ReadsThatBringNothingAreNotLossUnlessTheLineIsGoneAndDoNotSpin) {
    constexpr int kEmptyReads = 1000;
    constexpr milliseconds kPause{2};
    for (const bool lineAnswers : {true, false}) {
        SCOPED_TRACE(lineAnswers ? "line answers" : "line gone");
        const wchar_t name[] = L"\\\\.\\pipe\\quellmark-empty-reads";
        const UniqueHandle server(CreateNamedPipeW(name, PIPE_ACCESS_OUTBOUND, PIPE_TYPE_MESSAGE, 1,
                                                   4096, 4096, 0, nullptr));
        auto client = std::make_shared<const UniqueHandle>(
            CreateFileW(name, GENERIC_READ | FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                        FILE_FLAG_OVERLAPPED, nullptr));
        DWORD mode = PIPE_READMODE_MESSAGE;
        ASSERT_TRUE(SetNamedPipeHandleState(client->Get(), &mode, nullptr, nullptr));

        std::mutex mutex;
        std::string received;
        std::atomic<int> failures = 0;
        const UniqueHandle arrived = CreateManualResetEvent();
        const LineReading reading{ReadOverlapped, [=](HANDLE) { return lineAnswers; }, kPause};
        const steady_clock::time_point start = steady_clock::now();
        const milliseconds processorBefore = ProcessorTime();
        {
            const PortReader reader(
                client, reading,
                [&](std::string_view bytes) {
                    const std::lock_guard lock(mutex);
                    received += bytes;
                    SetEvent(arrived.Get());
                },
                [&] {
                    ++failures;
                    SetEvent(arrived.Get());
                });
            DWORD written = 0;
            for (int i = 0; i < (lineAnswers ? kEmptyReads : 1); ++i) {
                WriteFile(server.Get(), "", 0, &written, nullptr);
            }
            WriteFile(server.Get(), "abc", 3, &written, nullptr);
            ASSERT_EQ(WaitForSingleObject(arrived.Get(), 10000), WAIT_OBJECT_0);
        }
        const milliseconds elapsed = duration_cast<milliseconds>(steady_clock::now() - start);
        if (lineAnswers) {
            EXPECT_EQ(received, "abc");
            EXPECT_EQ(failures, 0);
            // A reader that does not pause gets through the empty reads far sooner.
            EXPECT_GE(elapsed, kPause * kEmptyReads * 3 / 4);
            EXPECT_LT(ProcessorTime() - processorBefore, milliseconds(500));
        } else {
            EXPECT_EQ(received, "");
            EXPECT_EQ(failures, 1);
        }
    }
}

}  // namespace
}  // namespace quellmark

#include <malloc.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <numeric>

#include "port_device.h"
#include "pseudo_terminal.h"
#include "window_test.h"

namespace quellmark {
namespace {

using namespace test_support;

// Under AddressSanitizer the allocator is not glibc's and freed memory waits in quarantine, so
// memory figures say nothing: the memory checks are left out there, and LeakSanitizer watches for
// leaks instead.
#ifdef __SANITIZE_ADDRESS__
constexpr bool kMemoryIsMeasurable = false;
#else
constexpr bool kMemoryIsMeasurable = true;
#endif

// A read-back reply giving TX device value 5, which is TX position 18.
constexpr std::string_view kTxReply = "gsm+ A at+vgr?;+vgt?+VGT: 5\r\n";

// The real window on the real serial port, port 1 leading to a pseudo-terminal.
class FaultTest : public WindowTest {
protected:
    PseudoTerminal pty;
    const PortDevice device{1, pty.DevicePath()};
};

// The device not being there at all is in the window tests.
TEST_F(FaultTest, DeviceBusyInAnotherProcessShowsTheErrorAndStaysDisconnected) {
    ChildProcess holder(QUELLMARK_PORT_HOLDER_PATH, {QString::fromStdString(pty.DevicePath())});
    ASSERT_EQ(holder.FirstLine(), "held");
    Click("Command1");
    EXPECT_EQ(std::exchange(boxes, {}), QStringList{kOpenFailedBox});
    EXPECT_EQ(State(), kDisconnected);
}

TEST_F(FaultTest, ThousandConnectCyclesLeaveNoDescriptorAndNoMemoryBehind) {
    const auto descriptors = [] {
        const std::filesystem::directory_iterator entries("/proc/self/fd");
        return std::distance(begin(entries), end(entries));
    };
    const auto heapBytes = [] { return mallinfo2().uordblks + mallinfo2().hblkhd; };
    std::size_t received = 0, heapBefore = 0;
    long descriptorsBefore = 0;
    // The first cycles fill caches that stay.
    for (int cycle = -50; cycle < 1000; ++cycle) {
        if (cycle == 0) {
            descriptorsBefore = descriptors();
            heapBefore = heapBytes();
        }
        Click("Command1");
        Click("Command2");
        ASSERT_EQ(State(), kConnected) << "cycle " << cycle;
        Click("Command1");
        ASSERT_EQ(State(), kDisconnected) << "cycle " << cycle;
        QCoreApplication::processEvents();
        received += pty.ReadAvailable().size();
    }
    EXPECT_EQ(descriptors(), descriptorsBefore);
    // Every cycle was a working connection that sent its query.
    EXPECT_EQ(received, 1050 * std::string_view("gsm+ A at+vgr?;+vgt?\r").size());
    if (kMemoryIsMeasurable) {
        // A leak of a few dozen bytes per cycle shows well above this; allocator slack stays below.
        EXPECT_LT(heapBytes(), heapBefore + 32 * 1024);
    }
}

TEST_F(FaultTest, FarEndClosingMidReplyDisconnectsQuietly) {
    Click("Command1");
    Click("Command2");
    pty.Write(kTxReply.substr(0, 18));
    QTest::qWait(50);
    pty.Close();
    EXPECT_TRUE(WaitUntil([&] { return State() == kDisconnected; })) << State().toStdString();
    EXPECT_EQ(Position("Slider1"), 0);
}

TEST_F(FaultTest, TenMegabytesWithoutALineEndKeepMemoryBoundedAndTheWindowUsable) {
    Click("Command1");
    // VmHWM starts afresh; where the kernel refuses, growth from the old peak only comes out
    // smaller, so the check gets weaker but never fails falsely.
    std::ofstream("/proc/self/clear_refs") << "5";
    const auto peakKb = [] {
        std::ifstream file("/proc/self/status");
        const std::string status{std::istreambuf_iterator<char>(file), {}};
        return std::stol(status.substr(status.find("VmHWM:") + 6));
    };
    const long peakBefore = peakKb();
    // Every byte value but the line ends.
    std::string piece(4096, '\0');
    std::iota(piece.begin(), piece.end(), '\0');
    std::replace(piece.begin(), piece.end(), '\r', '\0');
    std::replace(piece.begin(), piece.end(), '\n', '\0');
    const QDeadlineTimer deadline(30000);
    // Writes as the terminal takes it, letting the window read whenever the terminal is full.
    const auto send = [&](std::string_view bytes) {
        while (!bytes.empty() && !deadline.hasExpired()) {
            bytes.remove_prefix(pty.WriteSome(bytes));
            QCoreApplication::processEvents();
        }
        return bytes.empty();
    };
    for (int i = 0; i < 10 * 256; ++i) {
        ASSERT_TRUE(send(piece)) << "the window did not keep up";
    }
    ASSERT_TRUE(send("\r\n"));
    ASSERT_TRUE(send(kTxReply));
    EXPECT_TRUE(WaitUntil([&] { return Position("Slider1") == 18; })) << Position("Slider1");
    if (kMemoryIsMeasurable) {
        EXPECT_LT(peakKb() - peakBefore, 4 * 1024) << "kB more at the peak";
    }
}

}  // namespace
}  // namespace quellmark

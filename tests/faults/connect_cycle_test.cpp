#include <QCoreApplication>

#include "command_line.h"
#include "process_stats.h"
#include "pseudo_terminal.h"
#include "window_fixture.h"

namespace quellmark::faults {
namespace {

constexpr int kWarmUpCycles = 50;
constexpr int kCycles = 1000;
// A leak of a few dozen bytes per cycle shows well above this; allocator slack stays below.
constexpr std::size_t kHeapSlackBytes = 32 * 1024;
constexpr long kResidentSlackKb = 1024;

class ConnectCycleTest : public WindowTest {
protected:
    // Connects, asks for the gains, disconnects: each cycle opens, writes and closes the port.
    void Cycle() {
        Click("Command1");
        ASSERT_TRUE(ShowsConnected(true));
        Click("Command2");
        Click("Command1");
        ASSERT_TRUE(ShowsConnected(false));
        QCoreApplication::processEvents();
        bytesReceived_ += pty_.ReadAvailable().size();
    }

    test_support::PseudoTerminal pty_;
    std::size_t bytesReceived_ = 0;
};

TEST_F(ConnectCycleTest, ThousandCyclesLeaveNoDescriptorAndNoMemoryBehind) {
    PointComOneAt(pty_.DevicePath());
    for (int i = 0; i < kWarmUpCycles; ++i) {
        ASSERT_NO_FATAL_FAILURE(Cycle());
    }
    const long descriptorsBefore = OpenFileDescriptorCount();
    const std::size_t heapBefore = HeapBytesInUse();
    const long residentBefore = ResidentKb();

    for (int i = 0; i < kCycles; ++i) {
        ASSERT_NO_FATAL_FAILURE(Cycle()) << "cycle " << i;
    }

    EXPECT_EQ(OpenFileDescriptorCount(), descriptorsBefore);
    // Every cycle was a working connection, not a failed open.
    EXPECT_EQ(bytesReceived_, (kWarmUpCycles + kCycles) * BuildQueryCommand("A").size());
    if (kMemoryFiguresMeaningful) {
        const auto heapGrowth = std::ptrdiff_t(HeapBytesInUse() - heapBefore);
        EXPECT_LT(heapGrowth, std::ptrdiff_t(kHeapSlackBytes));
        EXPECT_LT(ResidentKb() - residentBefore, kResidentSlackKb);
        RecordProperty("heap_growth_bytes", int(heapGrowth));
    }
}

}  // namespace
}  // namespace quellmark::faults

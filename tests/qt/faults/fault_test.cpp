#include <QSerialPort>

#include <fstream>

#include "port_device.h"
#include "pseudo_terminal.h"
#include "window_test.h"

namespace quellmark {
namespace {

using namespace test_support;

// The real window on the real serial port, port 1 leading to a pseudo-terminal.
class FaultTest : public WindowTest {
protected:
    PseudoTerminal pty;
    const PortDevice device{1, pty.DevicePath()};
};

// QSerialPort's lock file makes the device busy for any other opener, in this process or another.
TEST_F(FaultTest, BusyDeviceShowsTheErrorAndStaysDisconnected) {
    QSerialPort holder(QString::fromStdString(pty.DevicePath()));
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    Click("Command1");
    EXPECT_EQ(std::exchange(boxes, {}), QStringList{kOpenFailedBox});
    EXPECT_EQ(State(), kDisconnected);
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
    [[maybe_unused]] const long peakBefore = peakKb();
    std::string piece(4096, 'x');
    for (int i = 0; i < 10 * 256; ++i) {
        ASSERT_TRUE(pty.Write(piece)) << "the window did not keep up";
    }
    // TX device value 5 is position 18.
    ASSERT_TRUE(pty.Write("\r\ngsm+ A at+vgr?;+vgt?+VGT: 5\r\n"));
    EXPECT_TRUE(WaitUntil([&] { return Position("Slider1") == 18; })) << Position("Slider1");
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LT(peakKb() - peakBefore, 4 * 1024) << "kB more at the peak";
#endif
}

// An LF-only modem whose reply is read in full but for its last line feed: that byte alone, in a
// notification of its own, completes the reply.
TEST_F(FaultTest, LastLineFeedArrivingAloneCompletesTheReply) {
    const std::string query = "gsm+ A at+vgr?;+vgt?\r";
    Click("Command1");
    Click("Command2");
    ASSERT_EQ(pty.Receive(query.size()), query);
    // The RX line moving its slider shows that the text after it has been read too.
    ASSERT_TRUE(pty.Write("gsm+ A at+vgr?;+vgt?+VGR: 40\ngsm+ A at+vgr?;+vgt?+VGT: 5"));
    ASSERT_TRUE(WaitUntil([&] { return Position("Slider2") == 2; })) << Position("Slider2");
    QTest::qWait(50);
    ASSERT_EQ(Position("Slider1"), 0);
    ASSERT_TRUE(pty.Write("\n"));
    EXPECT_TRUE(WaitUntil([&] { return Position("Slider1") == 18; })) << Position("Slider1");
}

}  // namespace
}  // namespace quellmark

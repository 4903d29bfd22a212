#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <ctime>
#include <string>
#include <vector>

#include "device_path.h"
#include "port_device.h"
#include "pseudo_terminal.h"
#include "qt_serial_port.h"

namespace quellmark {
namespace {

using test_support::PortDevice;

TEST(DevicePathForPort, ConfiguredElseSystemPortWithinOneToTen) {
    const PortDevice one(1, "/dev/ttyUSB0"), ten(10, "/dev/ttyACM0"), eleven(11, "/dev/ttyUSB1"),
        empty(2, "");
    // Indexed by port number.
    const std::string expected[] = {"",           "/dev/ttyUSB0", "/dev/ttyS1",   "/dev/ttyS2",
                                    "/dev/ttyS3", "/dev/ttyS4",   "/dev/ttyS5",   "/dev/ttyS6",
                                    "/dev/ttyS7", "/dev/ttyS8",   "/dev/ttyACM0", ""};
    for (int port = 0; port < 12; ++port) {
        EXPECT_EQ(DevicePathForPort(port, SystemEnvironment).toStdString(), expected[port]) << port;
    }
}

class QtSerialPortTest : public ::testing::Test {
protected:
    test_support::PseudoTerminal pty_;
    PortDevice device_{1, pty_.DevicePath()};
    QtSerialPort port_;
};

TEST_F(QtSerialPortTest, BytesCrossBothWaysAndOpenDropsWhatCameBefore) {
    std::string received;
    port_.SetEventHandler([&] { received += port_.ReadAll(); });
    ASSERT_TRUE(port_.Open());
    port_.Close();
    pty_.Write("+VGR: 0\r\n");
    QTest::qWait(50);
    port_.Write("lost");  // while closed
    ASSERT_TRUE(port_.Open());
    const std::string sent = "+CLVL: 5\r\n\xe9\x80\xff";
    pty_.Write(sent);
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() >= sent.size(); }, 5000));
    EXPECT_EQ(received, sent);
    EXPECT_EQ(port_.WaitingCount(), 0u);

    port_.Write("😀 é € \x7f AT&W\r");
    port_.Close();
    const std::string expected = "? \xe9 ? \x7f AT&W\r";
    EXPECT_EQ(pty_.Receive(expected.size()), expected);
}

TEST_F(QtSerialPortTest, OpenFailsWithoutADeviceOrWhileItIsInUse) {
    QTemporaryDir dir;
    const std::string link = dir.filePath("modem").toStdString();
    ASSERT_EQ(symlink(pty_.DevicePath().c_str(), link.c_str()), 0);
    const PortDevice absent(2, "/nonexistent/ttyQM0"), throughLink(3, link);
    ASSERT_TRUE(port_.Open());
    QtSerialPort other;
    // Absent, out of range, in use, in use under another name.
    for (const int number : {2, 0, 11, 1, 3}) {
        other.SetPortNumber(number);
        EXPECT_FALSE(other.Open()) << number;
    }
    // A failed open still closes what was open, which frees the device.
    port_.SetPortNumber(2);
    EXPECT_FALSE(port_.Open());
    EXPECT_FALSE(port_.IsOpen());
    EXPECT_TRUE(other.Open());
}

TEST_F(QtSerialPortTest, FarEndClosingIsReportedOnceAndDoesNotSpin) {
    std::vector<bool> openAtEvents;
    port_.SetEventHandler([&] { openAtEvents.push_back(port_.IsOpen()); });
    ASSERT_TRUE(port_.Open());
    pty_.Close();
    const std::clock_t before = std::clock();
    QTest::qWait(500);
    const long usedMs = (std::clock() - before) * 1000 / CLOCKS_PER_SEC;
    EXPECT_EQ(openAtEvents, std::vector<bool>{false});
    // Left open after the hang-up, the port spins on read errors for the whole half second.
    EXPECT_LT(usedMs, 100) << usedMs << " ms of CPU time";
}

}  // namespace
}  // namespace quellmark

// QSerialPort delivers its notifications through a Qt event loop.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <ctime>

#include "device_path.h"
#include "port_device.h"
#include "present_ports.h"
#include "pseudo_terminal.h"
#include "qt_serial_port.h"

// Every set of line settings handed to a terminal by anything in this process. QSerialPort's
// calls reach this definition, which passes them on.
static std::vector<termios> handedOver;

extern "C" int tcsetattr(int fd, int when, const termios* settings) {
    static const auto next =
        reinterpret_cast<int (*)(int, int, const termios*)>(dlsym(RTLD_NEXT, "tcsetattr"));
    handedOver.push_back(*settings);
    return next(fd, when, settings);
}

namespace quellmark {
namespace {

using test_support::PortDevice;

const EnvironmentLookup kNoVariables = [](const char*) { return QString(); };

PresentPort Port(const char* name, const char* description = "") {
    return {name, QStringLiteral("/dev/") + name, description, KindOfPort(name)};
}

PortLister Listing(std::vector<PresentPort> ports) {
    return [ports] { return ports; };
}

TEST(DevicePathForPort, OnBoardThenAdaptersThenTheRestEachInNaturalOrder) {
    // Listed in the system's own order, which is no order at all.
    const PortLister present =
        Listing({Port("rfcomm0"), Port("ttyUSB10"), Port("ttyS1"), Port("ttyACM0"), Port("ttyUSB2"),
                 Port("ttyS0"), Port("ttyAMA0"), Port("ttyGS0")});
    QStringList paths;
    for (int number = 1; number <= 10; ++number) {
        paths << DevicePathForPort(number, kNoVariables, present);
    }
    EXPECT_EQ(paths, QStringList({"/dev/ttyAMA0", "/dev/ttyS0", "/dev/ttyS1", "/dev/ttyACM0",
                                  "/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/rfcomm0", "/dev/ttyGS0",
                                  "", ""}));
}

TEST(DevicePathForPort, VariableWinsWithinOneToTen) {
    const PortLister laptop = Listing({Port("ttyUSB0")});
    // Every variable set, each to a path of its own name.
    const EnvironmentLookup environment = [](const char* name) { return QString("/tmp/") + name; };
    for (const auto& [number, path] :
         {std::pair{1, "/tmp/QUELLMARK_COM1"}, {10, "/tmp/QUELLMARK_COM10"}, {0, ""}, {11, ""}}) {
        EXPECT_EQ(DevicePathForPort(number, environment, laptop), path) << number;
    }
    EXPECT_EQ(DevicePathForPort(1, kNoVariables, laptop), "/dev/ttyUSB0");
}

TEST(DescribePort, PathAndDescriptionOrNoDevice) {
    const PortLister present = Listing({Port("ttyUSB0", "FT232R USB UART"), Port("ttyS0")});
    const std::pair<int, QString> cases[] = {
        {1, "/dev/ttyS0"}, {2, "/dev/ttyUSB0 – FT232R USB UART"}, {3, "Kein Gerät"}};
    for (const auto& [number, text] : cases) {
        EXPECT_EQ(DescribePort(number, kNoVariables, present), text) << number;
    }
}

// The kernel reserves ttyS slots that no UART fills; those are no port.
TEST(HasUart, EmptySlotIsNoPortAndATtyWithoutAUartTypeIs) {
    for (const auto& [type, present] : {std::pair{"4\n", true}, {"0\n", false}, {"", true}}) {
        QTemporaryDir tty;
        QFile file(tty.filePath("type"));
        ASSERT_TRUE(!*type || (file.open(QIODevice::WriteOnly) && file.write(type) > 0));
        file.close();
        EXPECT_EQ(HasUart(tty.path()), present) << type;
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
    ASSERT_TRUE(pty_.Write("+VGR: 0\r\n"));
    QTest::qWait(50);
    port_.Write("lost");  // while closed
    ASSERT_TRUE(port_.Open());
    const std::string sent = "+CLVL: 5\r\n\xe9\x80\xff";
    ASSERT_TRUE(pty_.Write(sent));
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() >= sent.size(); }, 5000));
    EXPECT_EQ(received, sent);

    port_.Write("😀 é € \x7f AT&W\r");
    port_.Close();
    const std::string expected = "? \xe9 ? \x7f AT&W\r";
    EXPECT_EQ(pty_.Receive(expected.size()), expected);
}

// What the modem sees of the line: the settings the terminal holds, read back from it, and each
// set the port handed to it while opening. A pseudo-terminal forces 8 data bits and no parity
// whatever it is given, and QSerialPort sets one thing at a time on top of what it reads back, so
// only the sets handed over show what a UART would have been told about those two.
TEST_F(QtSerialPortTest, LineRunsAt9600Baud8DataBitsNoParityOneStopBitNoFlowControl) {
    handedOver.clear();
    ASSERT_TRUE(port_.Open());
    termios held{};
    // On the master side this reads the settings of the slave, which the port opened.
    ASSERT_EQ(tcgetattr(pty_.MasterFd(), &held), 0);
    EXPECT_EQ(cfgetispeed(&held) | cfgetospeed(&held), speed_t(B9600));
    ASSERT_FALSE(handedOver.empty());
    handedOver.push_back(held);
    for (const termios& line : handedOver) {
        EXPECT_EQ(line.c_cflag & CSIZE, tcflag_t(CS8));
        EXPECT_FALSE(line.c_cflag & PARENB) << "parity";
        EXPECT_FALSE(line.c_cflag & CSTOPB) << "two stop bits";
        EXPECT_FALSE(line.c_cflag & CRTSCTS) << "hardware flow control";
        EXPECT_FALSE(line.c_iflag & (IXON | IXOFF)) << "software flow control";
    }
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

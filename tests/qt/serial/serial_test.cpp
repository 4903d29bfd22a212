#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "device_path.h"
#include "open_line.h"
#include "port_device.h"
#include "present_ports.h"
#include "pseudo_terminal.h"

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

// Listed in the system's own order, which is no order at all.
TEST(DevicePathForPort, OnBoardThenAdaptersThenTheRestEachInNaturalOrder) {
    std::vector<PresentPort> present;
    for (const char* name :
         {"rfcomm0", "ttyUSB10", "ttyS1", "ttyACM0", "ttyUSB2", "ttyS0", "ttyAMA0", "ttyGS0"}) {
        present.push_back({name, QStringLiteral("/dev/") + name, "", KindOfPort(name)});
    }
    QStringList paths;
    for (int number = 1; number <= 10; ++number) {
        paths << DevicePathForPort(
            number, [](const char*) { return std::string(); }, [&] { return present; });
    }
    EXPECT_EQ(paths, QStringList({"/dev/ttyAMA0", "/dev/ttyS0", "/dev/ttyS1", "/dev/ttyACM0",
                                  "/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/rfcomm0", "/dev/ttyGS0",
                                  "", ""}));
}

// The kernel keeps a ttyS device for every UART slot it reserves; an empty one has the type "0",
// followed by the line end the kernel writes. A tty without a type (USB, ACM) is a port.
TEST(HasUart, EmptySlotsAreNoPorts) {
    const QTemporaryDir tty;
    EXPECT_TRUE(HasUart(tty.path())) << "no type";
    QFile type(tty.filePath("type"));
    for (const auto& [content, hasUart] : {std::pair{"0\n", false}, {"0", false}, {"4\n", true}}) {
        ASSERT_TRUE(type.open(QIODevice::WriteOnly | QIODevice::Truncate));
        type.write(content);
        type.close();
        EXPECT_EQ(HasUart(tty.path()), hasUart) << content;
    }
}

// What the modem sees of the line: the settings the terminal holds, read back from it, and each
// set the port handed to it while opening. A pseudo-terminal forces 8 data bits and no parity
// whatever it is given, and QSerialPort sets one thing at a time on top of what it reads back, so
// only the sets handed over show what a UART would have been told about those two. Bytes cross
// unchanged but for characters outside Latin-1; what came while the port was closed is dropped.
TEST(QtSerialPortTest, LineAt9600Baud8N1WithoutFlowControlCarriesBytesBothWays) {
    test_support::PseudoTerminal pty;
    const PortDevice device(1, pty.DevicePath());
    const std::unique_ptr<SerialPort> port = NumberedSystemPort();
    std::string received;
    port->SetEventHandler([&] { received += port->ReadAll(); });
    ASSERT_TRUE(port->Open());
    port->Close();
    ASSERT_TRUE(pty.Write("+VGR: 0\r\n"));
    QTest::qWait(50);
    port->Write("lost");  // while closed
    handedOver.clear();
    ASSERT_TRUE(port->Open());
    termios held{};
    // On the master side this reads the settings of the slave, which the port opened.
    ASSERT_EQ(tcgetattr(pty.MasterFd(), &held), 0);
    EXPECT_EQ(cfgetispeed(&held) | cfgetospeed(&held), speed_t(B9600));
    ASSERT_FALSE(handedOver.empty());
    handedOver.push_back(held);
    for (const termios& line : handedOver) {
        // Data bits, parity, stop bits, hardware and software flow control.
        EXPECT_EQ(line.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t(CS8));
        EXPECT_FALSE(line.c_iflag & (IXON | IXOFF));
    }
    const std::string sent = "+CLVL: 5\r\n\xe9\x80\xff";
    ASSERT_TRUE(pty.Write(sent));
    EXPECT_TRUE(QTest::qWaitFor([&] { return received == sent; }, 5000)) << received;
    port->Write("😀 é € \x7f AT&W\r");
    port->Close();
    EXPECT_EQ(pty.Receive(12), "? \xe9 ? \x7f AT&W\r");
}

}  // namespace
}  // namespace quellmark

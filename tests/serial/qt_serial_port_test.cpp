#include "qt_serial_port.h"

#include <gtest/gtest.h>
#include <time.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <string>

#include "port_device.h"
#include "pseudo_terminal.h"

namespace quellmark {
namespace {

using std::chrono::milliseconds;
using test_support::PortDevice;
using test_support::PseudoTerminal;

constexpr int kTimeoutMs = 5000;

milliseconds ProcessCpuTime() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return milliseconds(now.tv_sec * 1000 + now.tv_nsec / 1'000'000);
}

class QtSerialPortTest : public ::testing::Test {
protected:
    void SetUp() override { port_.SetPortNumber(1); }

    PseudoTerminal pty_;
    PortDevice device_{1, pty_.DevicePath()};
    QtSerialPort port_;
};

TEST_F(QtSerialPortTest, WritesOneByteForEachCharacter) {
    ASSERT_TRUE(port_.Open());
    port_.Write("AT+CLVL=5\r\n\x7f é € 😀");
    const std::string expected = "AT+CLVL=5\r\n\x7f \xe9 ? ?";
    EXPECT_EQ(pty_.Receive(expected.size()), expected);
}

TEST_F(QtSerialPortTest, WriteRightBeforeCloseStillGoesOut) {
    ASSERT_TRUE(port_.Open());
    port_.Write("AT&W\r");
    port_.Close();
    EXPECT_EQ(pty_.Receive(5), "AT&W\r");
}

TEST_F(QtSerialPortTest, WriteWhileClosedIsDropped) {
    port_.Write("lost");
    ASSERT_TRUE(port_.Open());
    port_.Write("A");
    EXPECT_EQ(pty_.Receive(1), "A");
}

TEST_F(QtSerialPortTest, ReceivedBytesRaiseTheHandlerAndReadAllTakesThem) {
    std::size_t counted = 0;
    std::string received;
    port_.SetEventHandler([&] {
        counted += port_.WaitingCount();
        received += port_.ReadAll();
    });
    ASSERT_TRUE(port_.Open());
    const std::string sent = "+CLVL: 5\r\n\xe9\x80\xff";
    pty_.Write(sent);
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() >= sent.size(); }, kTimeoutMs));
    EXPECT_EQ(received, sent);
    EXPECT_EQ(counted, sent.size());
    EXPECT_EQ(port_.WaitingCount(), 0u);
}

TEST_F(QtSerialPortTest, OpenDiscardsWhatArrivedWhileClosed) {
    std::string received;
    port_.SetEventHandler([&] { received += port_.ReadAll(); });
    ASSERT_TRUE(port_.Open());
    port_.Close();
    pty_.Write("+VGR: 0\r\n");
    QTest::qWait(50);
    ASSERT_TRUE(port_.Open());
    pty_.Write("OK\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() >= 4; }, kTimeoutMs));
    EXPECT_EQ(received, "OK\r\n");
}

TEST_F(QtSerialPortTest, OpenFailsAndLeavesThePortClosedWithoutADevice) {
    const PortDevice absent(2, "/nonexistent/ttyQM0");
    for (const int number : {2, 0, 11}) {
        SCOPED_TRACE(number);
        port_.SetPortNumber(1);
        ASSERT_TRUE(port_.Open());
        port_.SetPortNumber(number);
        EXPECT_FALSE(port_.Open());
        EXPECT_FALSE(port_.IsOpen());
    }
}

TEST_F(QtSerialPortTest, OpenFailsWhileTheDeviceIsInUse) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string link = dir.filePath("modem").toStdString();
    ASSERT_EQ(symlink(pty_.DevicePath().c_str(), link.c_str()), 0);
    const PortDevice throughLink(2, link);
    ASSERT_TRUE(port_.Open());

    QtSerialPort other;
    for (const int number : {1, 2}) {
        SCOPED_TRACE(number);
        other.SetPortNumber(number);
        EXPECT_FALSE(other.Open());
        EXPECT_FALSE(other.IsOpen());
    }

    port_.Close();
    EXPECT_TRUE(other.Open());
}

TEST_F(QtSerialPortTest, FarEndClosingClosesThePortAndReportsItOnce) {
    int events = 0;
    bool openDuringEvent = true;
    port_.SetEventHandler([&] {
        ++events;
        openDuringEvent = port_.IsOpen();
    });
    ASSERT_TRUE(port_.Open());

    pty_.Close();
    const milliseconds cpuBefore = ProcessCpuTime();
    QTest::qWait(500);
    const milliseconds cpuUsed = ProcessCpuTime() - cpuBefore;

    EXPECT_EQ(events, 1);
    EXPECT_FALSE(openDuringEvent);
    EXPECT_FALSE(port_.IsOpen());
    // A port left open after the hang-up spins on read errors, using the whole half second.
    EXPECT_LT(cpuUsed, milliseconds(100)) << cpuUsed.count() << " ms of CPU time";
    RecordProperty("cpu_ms_after_hangup", int(cpuUsed.count()));
}

}  // namespace
}  // namespace quellmark

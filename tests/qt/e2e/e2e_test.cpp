#include <algorithm>
#include <fstream>
#include <random>

#include "port_device.h"
#include "pseudo_terminal.h"
#include "window_test.h"

namespace quellmark {
namespace {

using namespace test_support;

// RX 70 lies in the bucket of position -2, TX 0 is position 13 (0 dB).
const QStringList kGains{"--rx", "70", "--tx", "0"};
const std::string kQueryA = "gsm+ A at+vgr?;+vgt?\r";
const std::string kQueryB = "gsm+ B at+vgr?;+vgt?\r";

// The real window and serial port against the modem simulator. Port 1 leads to a link at a fixed
// path, so a restarted simulator is found where the first one was.
class E2eTest : public WindowTest {
protected:
    // Starts the simulator, ending any earlier one first. All of them log to one file.
    void StartSimulator(const QStringList& options) {
        simulator.reset();
        simulator = std::make_unique<ChildProcess>(
            QUELLMARK_MODEM_SIM_PATH,
            options + QStringList{"--link", dir.filePath("modem"), "--log", dir.filePath("log")});
        ASSERT_NE(simulator->FirstLine(), "");
    }

    // Every command line the simulator has received, each with its CR; waits for `count` first.
    std::vector<std::string> Log(std::size_t count = 0) {
        std::vector<std::string> lines;
        WaitUntil([&] {
            std::ifstream file(dir.filePath("log").toStdString(), std::ios::binary);
            lines.clear();
            for (std::string line; std::getline(file, line, '\r');) {
                lines.push_back(file.eof() ? line : line + '\r');
            }
            return lines.size() >= count;
        });
        return lines;
    }

    // Reads `channel` and waits for the sliders to reach the positions given; a fatal failure when
    // they do not, so that callers stop at the first read that went wrong.
    void ReadValues(const QString& channel, int tx, int rx) {
        Find<QLineEdit>("Text1")->selectAll();
        QTest::keyClicks(Find("Text1"), channel);
        const auto arrived = [&] { return Position("Slider1") == tx && Position("Slider2") == rx; };
        ASSERT_FALSE(arrived()) << "the sliders are there already, so the read could not be seen";
        Click("Command2");
        ASSERT_TRUE(WaitUntil(arrived)) << "reading " << channel.toStdString() << " left "
                                        << Position("Slider1") << ", " << Position("Slider2");
    }

    QTemporaryDir dir;
    const PortDevice device{1, dir.filePath("modem").toStdString()};
    std::unique_ptr<ChildProcess> simulator;
};

TEST_F(E2eTest, ReadSetStoreAndReadAgain) {
    ASSERT_NO_FATAL_FAILURE(StartSimulator(kGains));
    Click("Command1");
    ASSERT_NO_FATAL_FAILURE(ReadValues("A", 13, -2));
    EXPECT_EQ(QStringList({Text("Label1"), Text("Label2"), Text("Label7"), Text("Label8")}),
              QStringList({"0 db", "0", "-2 db", "64"}));
    // Long enough for a set command wrongly following the read to arrive.
    QTest::qWait(300);
    EXPECT_EQ(Log(), std::vector{kQueryA});

    Press("Slider1", Qt::Key_PageDown);
    Click("Command3");
    ASSERT_NO_FATAL_FAILURE(ReadValues("B", 13, -2));
    ASSERT_NO_FATAL_FAILURE(ReadValues("A", 18, -2));
    // Clicked back to back, the second answer follows right on the first; it is what shows.
    Click("Command2");
    ASSERT_NO_FATAL_FAILURE(ReadValues("B", 13, -2));
    EXPECT_EQ(Log(7), (std::vector<std::string>{kQueryA, "gsm+ A at+vgt=5\r", "gsm+ A at&w\r",
                                                kQueryB, kQueryA, kQueryA, kQueryB}));
}

TEST_F(E2eTest, ThousandRandomSliderStepsReachTheModemInOrder) {
    ASSERT_NO_FATAL_FAILURE(StartSimulator({}));
    Click("Command1");
    std::mt19937 random(20240611);
    const std::pair<Qt::Key, int> keys[] = {
        {Qt::Key_Up, -1}, {Qt::Key_Down, 1}, {Qt::Key_PageUp, -5}, {Qt::Key_PageDown, 5}};
    // What the window should show and send, worked out from the scales alone.
    int tx = 0, rx = 0, rxValue = 48;
    std::vector<std::string> expected;
    while (expected.size() < 1000) {
        const auto [key, delta] = keys[random() % 4];
        const int txBefore = tx, rxBefore = rx;
        if (random() % 2) {
            tx = std::clamp(tx + delta, 0, 115);
            Press("Slider1", key);
        } else {
            rx = std::clamp(rx + delta, -22, 6);
            Press("Slider2", key);
        }
        if (tx != txBefore) {
            expected.push_back("gsm+ A at+vgt=" + std::to_string(tx < 13 ? tx + 243 : tx - 13) +
                               '\r');
        }
        if (rx % 2 == 0) {
            rxValue = 48 - 8 * rx;
        }
        if (rx != rxBefore) {
            expected.push_back("gsm+ A at+vgr=" + std::to_string(rxValue) + '\r');
        }
        // Replies come in between presses, as they would for a user.
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(Log(expected.size()), expected);
}

// Each simulator replies in its own style. Each round moves A's gains and reads B, then A, so
// that every read has to move the sliders. Ending the simulator disconnects without an error box
// (TearDown checks), and the next one connects.
TEST_F(E2eTest, RepliesInEveryStyleMoveTheSlidersAcrossRestarts) {
    for (const QStringList& style : {QStringList{},
                                     {"--lf"},
                                     {"--chunks", "--seed", "1"},
                                     {"--noise", "--seed", "3"},
                                     {"--chunks", "--lf", "--noise", "--seed", "4"},
                                     {"--chunks", "--delay-ms", "20"}}) {
        SCOPED_TRACE(style.join(' ').toStdString());
        ASSERT_NO_FATAL_FAILURE(StartSimulator(kGains + style));
        Click("Command1");
        ASSERT_NO_FATAL_FAILURE(ReadValues("A", 13, -2));
        for (int round = 1; round <= 2; ++round) {
            Press("Slider1", Qt::Key_PageDown);
            Press("Slider2", Qt::Key_Up);
            Press("Slider2", Qt::Key_Up);
            ASSERT_NO_FATAL_FAILURE(ReadValues("B", 13, -2));
            ASSERT_NO_FATAL_FAILURE(ReadValues("A", 13 + 5 * round, -2 - 2 * round));
        }
        simulator.reset();
        ASSERT_TRUE(WaitUntil([&] { return State() == kDisconnected; })) << State().toStdString();
    }
}

// The real window and serial port, with the test playing the modem on a pseudo-terminal.
class ReceivePathTest : public WindowTest {
protected:
    PseudoTerminal pty;
    const PortDevice device{1, pty.DevicePath()};
};

// An LF-only modem whose reply is read in full but for its last line feed: that byte alone, in a
// notification of its own, completes the reply.
TEST_F(ReceivePathTest, LastLineFeedArrivingAloneCompletesTheReply) {
    Click("Command1");
    Click("Command2");
    ASSERT_EQ(pty.Receive(kQueryA.size()), kQueryA);
    // The RX line moving its slider shows that the text after it has been read too.
    pty.Write("gsm+ A at+vgr?;+vgt?+VGR: 40\ngsm+ A at+vgr?;+vgt?+VGT: 5");
    ASSERT_TRUE(WaitUntil([&] { return Position("Slider2") == 2; })) << Position("Slider2");
    QTest::qWait(50);
    ASSERT_EQ(Position("Slider1"), 0);
    pty.Write("\n");
    EXPECT_TRUE(WaitUntil([&] { return Position("Slider1") == 18; })) << Position("Slider1");
}

}  // namespace
}  // namespace quellmark

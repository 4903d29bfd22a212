#include <sys/resource.h>

#include "port_device.h"
#include "pseudo_terminal.h"
#include "window_test.h"

namespace quellmark {
namespace {

using namespace test_support;

// The simulator, its standard error passed through; sent SIGTERM and waited for when this goes.
struct Simulator : QProcess {
    explicit Simulator(const QStringList& arguments) {
        setProcessChannelMode(QProcess::ForwardedErrorChannel);
        start(QUELLMARK_MODEM_SIM_PATH, arguments);
    }
    ~Simulator() override {
        terminate();
        WaitUntil([&] { return state() == QProcess::NotRunning; });
    }
};

// The real window and serial port against the modem simulator. Port 2, picked in the window, leads
// to a link at a fixed path, so a restarted simulator is found where the first one was.
class E2eTest : public WindowTest {
protected:
    void StartSimulator(const QStringList& options) {
        simulator =
            std::make_unique<Simulator>(options + QStringList{"--link", dir.filePath("modem")});
        ASSERT_TRUE(WaitUntil([&] { return simulator->canReadLine(); })) << "no start-up line";
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
    const PortDevice device{2, dir.filePath("modem").toStdString()};
    std::unique_ptr<Simulator> simulator;
};

// Each simulator replies in its own style. Each round moves and stores A's gains and reads B, then
// A, so that every read has to move the sliders; B is read right after a read of A, so its answer
// follows right on A's and must be the one that shows. Ending the simulator disconnects without
// an error box (TearDown checks), and the next one connects.
TEST_F(E2eTest, ReadSetAndStoreWithRepliesInEveryStyleAcrossRestarts) {
    Press("Combo1", Qt::Key_Down);
    for (const QStringList& style : {QStringList{},
                                     {"--chunks", "--lf", "--noise", "--seed", "4"},
                                     {"--chunks", "--delay-ms", "20"}}) {
        SCOPED_TRACE(style.join(' ').toStdString());
        // RX 70 lies in the bucket of position -2, TX 0 is position 13 (0 dB).
        ASSERT_NO_FATAL_FAILURE(StartSimulator(QStringList{"--rx", "70", "--tx", "0"} + style));
        Click("Command1");
        ASSERT_NO_FATAL_FAILURE(ReadValues("A", 13, -2));
        for (int round = 1; round <= 2; ++round) {
            Press("Slider1", Qt::Key_PageDown);
            Press("Slider2", Qt::Key_Up);
            Press("Slider2", Qt::Key_Up);
            Click("Command3");
            Click("Command2");
            ASSERT_NO_FATAL_FAILURE(ReadValues("B", 13, -2));
            ASSERT_NO_FATAL_FAILURE(ReadValues("A", 13 + 5 * round, -2 - 2 * round));
        }
        simulator.reset();
        ASSERT_TRUE(WaitUntil([&] { return State() == kDisconnected; })) << State().toStdString();
    }
}

// The real window on the real serial port, port 1 leading to a pseudo-terminal.
class FaultTest : public WindowTest {
protected:
    PseudoTerminal pty;
    const PortDevice device{1, pty.DevicePath()};
};

TEST_F(FaultTest, TenMegabytesWithoutALineEndKeepMemoryBoundedAndTheWindowUsable) {
    Click("Command1");
    // Growth of the peak resident size; ctest runs each test in a process of its own.
    const auto peakKb = [] {
        rusage usage{};
        return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : 0;
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
    Click("Command1");
    Click("Command2");
    ASSERT_EQ(pty.Receive(21), "gsm+ A at+vgr?;+vgt?\r");
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

#include "port_device.h"
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

// The real window and serial port against the modem simulator. Port 1 leads to a link at a fixed
// path, so a restarted simulator is found where the first one was.
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
    const PortDevice device{1, dir.filePath("modem").toStdString()};
    std::unique_ptr<Simulator> simulator;
};

// Each simulator replies in its own style. Each round moves and stores A's gains and reads B, then
// A, so that every read has to move the sliders; B is read right after a read of A, so its answer
// follows right on A's and must be the one that shows. Ending the simulator disconnects without
// an error box (TearDown checks), and the next one connects.
TEST_F(E2eTest, ReadSetAndStoreWithRepliesInEveryStyleAcrossRestarts) {
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

}  // namespace
}  // namespace quellmark

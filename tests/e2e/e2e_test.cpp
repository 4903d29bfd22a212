#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <random>

#include "window_test.h"

namespace quellmark {
namespace {

using test_support::kConnected;
using test_support::kDisconnected;

// RX 70 lies in the bucket of position -2, TX 0 is position 13 (0 dB).
const QStringList kGains{"--rx", "70", "--tx", "0"};
const std::string kQueryA = "gsm+ A at+vgr?;+vgt?\r";
const std::string kQueryB = "gsm+ B at+vgr?;+vgt?\r";

// The real window and serial port against the modem simulator. Port 1 leads to a link at a fixed
// path, so a restarted simulator is found where the first one was.
class E2eTest : public test_support::WindowTest {
protected:
    E2eTest() { qputenv("QUELLMARK_COM1", dir.filePath("modem").toLocal8Bit()); }

    // Starts the simulator, ending any earlier one first. All of them log to one file.
    void StartSimulator(const QStringList& options) {
        simulator.reset();
        simulator = std::make_unique<test_support::ChildProcess>(
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

    // Reads `channel` and waits for the sliders to reach the positions given.
    void ReadValues(const QString& channel, int tx, int rx) {
        Find<QLineEdit>("Text1")->selectAll();
        QTest::keyClicks(Find("Text1"), channel);
        const auto arrived = [&] { return Position("Slider1") == tx && Position("Slider2") == rx; };
        ASSERT_FALSE(arrived()) << "the sliders are there already, so the read could not be seen";
        Click("Command2");
        EXPECT_TRUE(WaitUntil(arrived)) << "reading " << channel.toStdString() << " left "
                                        << Position("Slider1") << ", " << Position("Slider2");
    }

    QTemporaryDir dir;
    std::unique_ptr<test_support::ChildProcess> simulator;
};

TEST_F(E2eTest, ReadSetStoreAndReadAgain) {
    StartSimulator(kGains);
    Click("Command1");
    ReadValues("A", 13, -2);
    for (const auto& [label, text] :
         {std::pair{"Label1", "0 db"}, {"Label2", "0"}, {"Label7", "-2 db"}, {"Label8", "64"}}) {
        EXPECT_EQ(Text(label), text) << label;
    }
    // Long enough for a set command wrongly following the read to arrive.
    QTest::qWait(300);
    EXPECT_EQ(Log(), std::vector{kQueryA});

    Press("Slider1", Qt::Key_PageDown);
    Click("Command3");
    ReadValues("B", 13, -2);
    ReadValues("A", 18, -2);
    // Clicked back to back, the second answer follows right on the first; it is what shows.
    Click("Command2");
    ReadValues("B", 13, -2);
    EXPECT_EQ(Log(7), (std::vector<std::string>{kQueryA, "gsm+ A at+vgt=5\r", "gsm+ A at&w\r",
                                                kQueryB, kQueryA, kQueryA, kQueryB}));
}

TEST_F(E2eTest, ThousandRandomSliderStepsReachTheModemInOrder) {
    StartSimulator({});
    Click("Command1");
    std::mt19937 random(20240611);
    const std::pair<Qt::Key, int> keys[] = {
        {Qt::Key_Up, -1}, {Qt::Key_Down, 1}, {Qt::Key_PageUp, -5}, {Qt::Key_PageDown, 5}};
    // What the window should show and send, worked out from the scales alone.
    int tx = 0, rx = 0, rxValue = 48;
    std::vector<std::string> expected;
    while (expected.size() < 1000) {
        const bool onTx = random() % 2;
        const auto [key, delta] = keys[random() % 4];
        int& position = onTx ? tx : rx;
        const int before = std::exchange(
            position, onTx ? std::clamp(tx + delta, 0, 115) : std::clamp(rx + delta, -22, 6));
        Press(onTx ? "Slider1" : "Slider2", key);
        ASSERT_EQ(Position(onTx ? "Slider1" : "Slider2"), position) << expected.size();
        if (position != before) {
            rxValue = rx % 2 == 0 ? 48 - 8 * rx : rxValue;
            expected.push_back(onTx
                                   ? "gsm+ A at+vgt=" + std::to_string(tx < 13 ? tx + 243 : tx - 13)
                                   : "gsm+ A at+vgr=" + std::to_string(rxValue));
            expected.back() += '\r';
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
        StartSimulator(kGains + style);
        Click("Command1");
        ASSERT_EQ(State(), kConnected);
        ReadValues("A", 13, -2);
        for (int round = 1; round <= 2; ++round) {
            Press("Slider1", Qt::Key_PageDown);
            Press("Slider2", Qt::Key_Up);
            Press("Slider2", Qt::Key_Up);
            ReadValues("B", 13, -2);
            ReadValues("A", 13 + 5 * round, -2 - 2 * round);
        }
        simulator.reset();
        ASSERT_TRUE(WaitUntil([&] { return State() == kDisconnected; })) << State().toStdString();
    }
}

}  // namespace
}  // namespace quellmark

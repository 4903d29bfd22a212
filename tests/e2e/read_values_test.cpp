#include <QTest>
#include <string>
#include <vector>

#include "window_test.h"

namespace quellmark::e2e {
namespace {

// Long enough for a set command wrongly following a read to reach the simulator.
constexpr int kSettleMs = 300;

TEST_F(WindowTest, ConnectingAndReadingShowsTheModemsGainsAndSendsNothingBack) {
    StartSimulator(kGains);
    EXPECT_TRUE(ShowsConnected(false));
    Click("Command1");
    EXPECT_TRUE(ShowsConnected(true));

    ReadValues("A", 13, -2);
    EXPECT_EQ(Text("Label1"), "0 db");
    EXPECT_EQ(Text("Label2"), "0");
    EXPECT_EQ(Text("Label7"), "-2 db");
    EXPECT_EQ(Text("Label8"), "64");

    QTest::qWait(kSettleMs);
    EXPECT_EQ(Simulator().LogLines(), std::vector<std::string>{kQueryA});
    EXPECT_EQ(Position("Slider1"), 13);
    EXPECT_EQ(Position("Slider2"), -2);
}

// Each read follows the answer to the one before, "OK" included; channel B keeps the start
// gains while A's change, so every read moves the sliders.
TEST_F(WindowTest, ConsecutiveReadsEachMoveTheSliders) {
    StartSimulator(kGains);
    Click("Command1");
    ReadValues("A", 13, -2);
    for (const Qt::Key key : {Qt::Key_PageDown, Qt::Key_PageDown}) {
        Press("Slider1", key);
    }
    for (const Qt::Key key : {Qt::Key_PageUp, Qt::Key_PageUp}) {
        Press("Slider2", key);
    }
    ReadValues("B", 13, -2);
    ReadValues("A", 23, -12);

    // Clicked back to back, the second answer follows right on the first; it is what shows.
    Click("Command2");
    ReadValues("B", 13, -2);
    EXPECT_EQ(Simulator().LogLines(),
              (std::vector<std::string>{kQueryA, "gsm+ A at+vgt=5\r", "gsm+ A at+vgt=10\r",
                                        "gsm+ A at+vgr=64\r", "gsm+ A at+vgr=144\r", kQueryB,
                                        kQueryA, kQueryA, kQueryB}));
}

struct ReplyStyle {
    const char* name;
    std::vector<std::string> options;
};

void PrintTo(const ReplyStyle& style, std::ostream* out) {
    *out << style.name;
}

const ReplyStyle kReplyStyles[] = {
    {"LfOnly", {"--lf"}},
    {"Chunks", {"--chunks", "--seed", "1"}},
    {"ChunksOtherSeed", {"--chunks", "--seed", "2"}},
    {"Noise", {"--noise", "--seed", "3"}},
    {"ChunksLfNoise", {"--chunks", "--lf", "--noise", "--seed", "4"}},
    {"SlowChunksNoise", {"--chunks", "--noise", "--delay-ms", "20", "--seed", "5"}},
};

class ReplyStyleTest : public WindowTest, public ::testing::WithParamInterface<ReplyStyle> {};

// Each round moves A's gains and reads B, then A, so that every read has to move the sliders.
TEST_P(ReplyStyleTest, ReadsMoveTheSliders) {
    std::vector<std::string> options = kGains;
    options.insert(options.end(), GetParam().options.begin(), GetParam().options.end());
    StartSimulator(options);
    Click("Command1");
    ReadValues("A", 13, -2);
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        Press("Slider1", Qt::Key_PageDown);
        Press("Slider2", Qt::Key_Up);
        Press("Slider2", Qt::Key_Up);
        ReadValues("B", 13, -2);
        ReadValues("A", 13 + 5 * round, -2 - 2 * round);
    }
}

INSTANTIATE_TEST_SUITE_P(Replies, ReplyStyleTest, ::testing::ValuesIn(kReplyStyles),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quellmark::e2e

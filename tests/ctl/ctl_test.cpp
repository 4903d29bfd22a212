#include <gtest/gtest.h>

#include "gain_reading.h"
#include "gain_sequence.h"

namespace quellmark::ctl {
namespace {

using Calls = std::vector<std::string>;
const std::string kLeadIn = "gsm+ A              ";  // 20 characters, as the device puts them

// Records what the sequence asks of the program, in order.
struct FakeLink : CtlLink {
    void Write(const std::string& line) override { calls.push_back(line); }
    void StartDeadline(std::chrono::milliseconds after) override {
        calls.push_back("deadline " + std::to_string(after.count()));
    }
    void Finish() override { calls.push_back("finish"); }
    Calls calls;
};

struct SequenceRig {
    explicit SequenceRig(CtlOptions given) : options(std::move(given)), sequence(options, link) {
        sequence.Start();
    }
    Calls Take() { return std::exchange(link.calls, {}); }

    CtlOptions options;
    FakeLink link;
    GainSequence sequence;
};

CtlOptions ReadOf(std::vector<std::string> channels) {
    CtlOptions options;
    options.channels = std::move(channels);
    options.read = true;
    options.timeout = std::chrono::milliseconds(500);
    return options;
}

TEST(GainSequenceTest, SetsWithoutReadGoOutForEveryChannelInOrderAndFinish) {
    CtlOptions options;
    options.channels = {"A", "B 2"};
    options.txPosition = 0;  // -6.5 dB
    options.rxGain = 6;
    options.store = true;
    SequenceRig rig(options);
    EXPECT_EQ(rig.Take(),
              Calls({"gsm+ A at+vgt=243\r", "gsm+ A at+vgr=0\r", "gsm+ A at&w\r",
                     "gsm+ B 2 at+vgt=243\r", "gsm+ B 2 at+vgr=0\r", "gsm+ B 2 at&w\r", "finish"}));
    EXPECT_TRUE(rig.sequence.IsFinished());
    EXPECT_TRUE(rig.sequence.Readings().empty());
}

// Echoes, short lines, noise and lowercase tags are no replies; a reply may come in any pieces
// and with either line end, and the next channel starts only when both gains are in.
TEST(GainSequenceTest, NextChannelStartsOnceBothRepliesCameHoweverTheyArrive) {
    SequenceRig rig(ReadOf({"A", "B"}));
    EXPECT_EQ(rig.Take(), Calls({"gsm+ A at+vgr?;+vgt?\r", "deadline 500"}));
    const std::string stream = "gsm+ A at+vgr?;+vgt?\r\nRING\r\nOK\n" + kLeadIn + "+vgt: 5\n" +
                               kLeadIn + "+VGR: 70\r\n" + kLeadIn + "+VGT: 21\n";
    for (std::size_t i = 0; i + 1 < stream.size(); ++i) {
        rig.sequence.OnReceived(stream.substr(i, 1));
    }
    EXPECT_EQ(rig.Take(), Calls());
    rig.sequence.OnReceived(stream.substr(stream.size() - 1));  // the last line end
    EXPECT_EQ(rig.Take(), Calls({"gsm+ B at+vgr?;+vgt?\r", "deadline 500"}));
    // B's replies in one piece, RX after TX, with OK behind them in the same piece.
    rig.sequence.OnReceived(kLeadIn + "+VGT: 243\r\n" + kLeadIn + "+VGR: 300\r\nOK\r\n");
    EXPECT_EQ(rig.Take(), Calls({"finish"}));
    ASSERT_EQ(rig.sequence.Readings().size(), 2u);
    EXPECT_EQ(ReadingLine(rig.sequence.Readings()[0], ","), "A: TX 10,5 db (21), RX -2 db (70)");
    EXPECT_EQ(ReadingLine(rig.sequence.Readings()[1], ","),
              "B: TX -6,5 db (243), RX ungültiger Wert (300)");
}

TEST(GainSequenceTest, DeadlineEndsTheChannelWithWhatCameAndLaterRepliesAreIgnored) {
    SequenceRig rig(ReadOf({"A", "B"}));
    rig.sequence.OnReceived(kLeadIn + "+VGR: 48\r");
    rig.Take();
    rig.sequence.OnDeadlinePassed();
    EXPECT_EQ(rig.Take(), Calls({"gsm+ B at+vgr?;+vgt?\r", "deadline 500"}));
    rig.sequence.OnDeadlinePassed();
    EXPECT_EQ(rig.Take(), Calls({"finish"}));
    rig.sequence.OnReceived(kLeadIn + "+VGT: 1\r" + kLeadIn + "+VGR: 1\r");
    rig.sequence.OnDeadlinePassed();
    rig.sequence.OnDeviceLost();
    EXPECT_EQ(rig.Take(), Calls());
    EXPECT_FALSE(rig.sequence.DeviceLost());
    EXPECT_EQ(ReadingsJson(rig.sequence.Readings()),
              R"([{"channel":"A","tx":null,"rx":{"db":0,"value":48}},)"
              R"({"channel":"B","tx":null,"rx":null}])");
}

TEST(GainSequenceTest, LossEndsTheRunAtOnceAndKeepsOnlyFinishedChannels) {
    SequenceRig rig(ReadOf({"A", "B"}));
    rig.sequence.OnReceived(kLeadIn + "+VGR: 48\r" + kLeadIn + "+VGT: 0\r");
    rig.Take();
    rig.sequence.OnDeviceLost();
    EXPECT_EQ(rig.Take(), Calls({"finish"}));
    EXPECT_TRUE(rig.sequence.DeviceLost());
    EXPECT_EQ(rig.sequence.Readings().size(), 1u);
}

// What a script parses: the window's gain texts, the modem's values, and JSON that keeps any
// channel text a valid string.
TEST(GainReadingTest, LinesAndJsonForEveryKindOfAnswer) {
    // The reading, whether it is complete, its line and its JSON object.
    const std::tuple<GainReading, bool, std::string, std::string> cases[] = {
        {{"A", 21, 70},
         true,
         "A: TX 10,5 db (21), RX -2 db (70)",
         R"({"channel":"A","tx":{"db":10.5,"value":21},"rx":{"db":-2,"value":70}})"},
        {{"B", 255, 224},
         true,
         "B: TX -0,5 db (255), RX -22 db (224)",
         R"({"channel":"B","tx":{"db":-0.5,"value":255},"rx":{"db":-22,"value":224}})"},
        {{"C", 102, 0},
         true,
         "C: TX 51 db (102), RX 6 db (0)",
         R"({"channel":"C","tx":{"db":51,"value":102},"rx":{"db":6,"value":0}})"},
        {{"D", 0, {}},
         false,
         "D: TX 0 db (0), RX keine Antwort",
         R"({"channel":"D","tx":{"db":0,"value":0},"rx":null})"},
        {{"E", 103, -1},
         false,
         "E: TX ungültiger Wert (103), RX ungültiger Wert (-1)",
         R"({"channel":"E","tx":null,"rx":null})"},
        {{"\"q\\\t", {}, 256},
         false,
         "\"q\\\t: TX keine Antwort, RX ungültiger Wert (256)",
         R"({"channel":"\"q\\\u0009","tx":null,"rx":null})"},
    };
    for (const auto& [reading, complete, line, json] : cases) {
        EXPECT_EQ(IsComplete(reading), complete) << line;
        EXPECT_EQ(ReadingLine(reading, ","), line);
        EXPECT_EQ(ReadingsJson({reading}), "[" + json + "]");
    }
    EXPECT_EQ(ReadingsJson({}), "[]");
}

}  // namespace
}  // namespace quellmark::ctl

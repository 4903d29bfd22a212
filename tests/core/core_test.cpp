#include <gtest/gtest.h>

#include "command_line.h"
#include "fakes.h"
#include "gain_scale.h"
#include "reply_line.h"

namespace quellmark::testing {

using namespace GainScale;
const std::string kLeadIn = "gsm+ A at+vgr?;+vgt?";  // 20 characters, as a device echoes them

// Each edge's text and device value is seen through quellmark-ctl's output and the simulator's log.
TEST(GainScaleTest, EveryPositionRoundTripsAndNothingPastEitherEnd) {
    for (int p = kTxPositionMin; p <= kTxPositionMax; ++p) {
        EXPECT_EQ(TxPositionFromDevice(TxDeviceValue(p)), p);
    }
    // The gap between the TX scale's two ends, and past them.
    for (const int device : {-1, 103, 242, 256}) {
        EXPECT_EQ(TxPositionFromDevice(device), std::nullopt) << device;
    }
    EXPECT_EQ(TxGainText(12, ","), "-0,5 db");
    const int devices[] = {224, 208, 192, 176, 160, 144, 128, 112, 96, 80, 64, 48, 32, 16, 0};
    // Even RX positions round trip; odd ones, and those past either end, have no device value.
    for (int p = kRxPositionMin; p <= kRxPositionMax; p += 2) {
        EXPECT_EQ(RxDeviceValue(p), devices[(p - kRxPositionMin) / 2]) << p;
        EXPECT_EQ(RxPositionFromDevice(devices[(p - kRxPositionMin) / 2]), p);
        EXPECT_EQ(RxDeviceValue(p + 1), std::nullopt) << p + 1;
    }
    EXPECT_EQ(RxDeviceValue(kRxPositionMin - 2), std::nullopt);
    // Values between two even positions' values belong to the higher position.
    const std::pair<int, std::optional<int>> fromDevice[] = {
        {15, 6}, {255, -22}, {256, {}}, {-1, {}}};
    for (const auto& [device, position] : fromDevice) {
        EXPECT_EQ(RxPositionFromDevice(device), position) << device;
    }
}

TEST(ReplyLineTest, RecognisesRepliesOnlyByTheirColumns) {
    const std::pair<std::string, std::optional<int>> cases[] = {
        {"+VGR: 40", 40},  {"+VGT##-5", -5},       {"+VGR:  7 ", 7},
        {"+VGR: +7", 7},   {"+VGT: 32767", 32767}, {"+VGR: -32768", -32768},
        {".+VGR: 40", {}}, {"+vgr: 40", {}},       {"+VG", {}},
        {"+VGR", {}},      {"+VGR: abc", {}},      {"+VGR: 12x", {}},
        {"+VGR: +-3", {}}, {"+VGT: 32768", {}},    {"+VGR: -32769", {}}};
    for (const auto& [tail, value] : cases) {
        const ReplyValues values = ParseReplyLine(kLeadIn + tail);
        const bool tx = tail.starts_with("+VGT");
        EXPECT_EQ(tx ? values.tx : values.rx, value) << tail;
        EXPECT_EQ(tx ? values.rx : values.tx, std::nullopt) << tail;
    }
}

// A CR or LF in the channel would put a second command on the wire; an empty one still leaves
// its place between the blanks.
TEST(CommandLineTest, TheChannelAsTypedButForLineEnds) {
    EXPECT_EQ(BuildSetRxCommand("B\r at&w\nC", "64"), "gsm+ B at&wC at+vgr=64\r");
    EXPECT_EQ(BuildStoreCommand(""), "gsm+  at&w\r");
}

// Each stream is fed whole and a byte at a time; a good reply after it must still be read.
TEST(ReceivePathTest, OnlyWholeRepliesWithinTheCapMoveTheSliders) {
    const std::size_t cap = LineBuffer::kCapacity;
    const std::string reply = kLeadIn + "+VGR: 0";  // moves RX to 6
    const std::pair<std::string, int> cases[] = {
        // Short and empty lines carry nothing and leave the next reply's columns alone.
        {"OK\r\nX\r\n\r\n" + reply, 6},
        {kLeadIn + "+VGT: 200\r\n" + kLeadIn + "+VGR: 256", 0},  // off the scales
        {reply + std::string(cap - reply.size(), ' '), 6},
        {reply + std::string(cap + 1 - reply.size(), ' '), 0},
        // The tail would read as a reply if the buffer merely started over at the cap.
        {std::string(3 * (cap + 1), 'x') + reply, 0}};
    for (const auto& [stream, rx] : cases) {
        for (const std::size_t piece : {stream.size(), std::size_t{1}}) {
            Rig rig;
            for (std::size_t i = 0; i < stream.size(); i += piece) {
                rig.port->Receive(stream.substr(i, piece));
            }
            rig.port->Receive("\r\n");
            EXPECT_EQ(rig.view.positions[Slider::Slider2], rx) << stream.size() << "/" << piece;
            EXPECT_EQ(rig.view.positions[Slider::Slider1], 0);
            rig.port->Receive(kLeadIn + "+VGR: 16\r\n");
            EXPECT_EQ(rig.view.positions[Slider::Slider2], 4);
        }
    }
}

}  // namespace quellmark::testing

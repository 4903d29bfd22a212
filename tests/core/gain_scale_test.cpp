#include "gain_scale.h"

#include <gtest/gtest.h>

namespace quellmark::GainScale {
namespace {

struct TxCase {
    int position;
    const char* text;
    int device;
};

TEST(GainScaleTest, TxPositionsGiveTextAndDeviceValue) {
    const TxCase cases[] = {{0, "-6.5 db", 243},  {1, "-6 db", 244},     {11, "-1 db", 254},
                            {12, "-0.5 db", 255}, {13, "0 db", 0},       {14, "0.5 db", 1},
                            {15, "1 db", 2},      {114, "50.5 db", 101}, {115, "51 db", 102}};
    for (const auto& c : cases) {
        EXPECT_EQ(TxGainText(c.position, "."), c.text) << c.position;
        EXPECT_EQ(TxDeviceValue(c.position), c.device) << c.position;
    }
}

TEST(GainScaleTest, TxTextUsesTheSeparatorGivenAndOnlyForHalves) {
    EXPECT_EQ(TxGainText(0, ","), "-6,5 db");
    EXPECT_EQ(TxGainText(14, ","), "0,5 db");
    EXPECT_EQ(TxGainText(15, ","), "1 db");
    EXPECT_EQ(TxGainText(12, "\u066b"), "-0\u066b5 db");
}

TEST(GainScaleTest, TxTextHasNoPlusSignAndNoNegativeZero) {
    for (int p = kTxPositionMin; p <= kTxPositionMax; ++p) {
        const std::string text = TxGainText(p, ".");
        EXPECT_EQ(text.find('+'), std::string::npos) << text;
        EXPECT_NE(text, "-0 db");
        EXPECT_EQ(text.substr(text.size() - 3), " db");
    }
}

TEST(GainScaleTest, TxDeviceValuesRoundTripAndGapsMapToNone) {
    for (int p = kTxPositionMin; p <= kTxPositionMax; ++p) {
        EXPECT_EQ(TxPositionFromDevice(TxDeviceValue(p)), p);
    }
    for (const int value : {103, 150, 242, 256, -1, 100000, -100000}) {
        EXPECT_EQ(TxPositionFromDevice(value), std::nullopt) << value;
    }
    int mapped = 0;
    for (int value = -1; value <= 256; ++value) {
        mapped += TxPositionFromDevice(value).has_value();
    }
    EXPECT_EQ(mapped, kTxPositionMax - kTxPositionMin + 1);
}

TEST(GainScaleTest, RxPositionsGiveTextAndEvenOnesADeviceValue) {
    EXPECT_EQ(RxGainText(-22), "-22 db");
    EXPECT_EQ(RxGainText(0), "0 db");
    EXPECT_EQ(RxGainText(6), "6 db");
    EXPECT_EQ(RxGainText(-21), "-21 db");
    EXPECT_EQ(RxGainText(5), "5 db");
    const int table[] = {224, 208, 192, 176, 160, 144, 128, 112, 96, 80, 64, 48, 32, 16, 0};
    for (int p = kRxPositionMin; p <= kRxPositionMax; ++p) {
        if (p % 2 == 0) {
            EXPECT_EQ(RxDeviceValue(p), table[(p - kRxPositionMin) / 2]) << p;
            EXPECT_EQ(RxPositionFromDevice(*RxDeviceValue(p)), p);
        } else {
            EXPECT_EQ(RxDeviceValue(p), std::nullopt) << p;
        }
    }
    EXPECT_EQ(RxDeviceValue(8), std::nullopt);
    EXPECT_EQ(RxDeviceValue(-24), std::nullopt);
}

TEST(GainScaleTest, RxDeviceValuesFallIntoBucketsOfSixteen) {
    const std::pair<int, std::optional<int>> cases[] = {{0, 6},
                                                        {15, 6},
                                                        {16, 4},
                                                        {40, 2},
                                                        {47, 2},
                                                        {48, 0},
                                                        {70, -2},
                                                        {127, -8},
                                                        {128, -10},
                                                        {223, -20},
                                                        {224, -22},
                                                        {255, -22},
                                                        {256, std::nullopt},
                                                        {-1, std::nullopt},
                                                        {-32768, std::nullopt}};
    for (const auto& [value, position] : cases) {
        EXPECT_EQ(RxPositionFromDevice(value), position) << value;
    }
}

}  // namespace
}  // namespace quellmark::GainScale

#include <QCoreApplication>
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "window_test.h"

namespace quellmark::e2e {
namespace {

constexpr std::size_t kMoves = 1000;
constexpr std::uint32_t kSeed = 20240611;

// Where a slider should be and what it should have sent, worked out from the scales alone.
class ExpectedSlider {
public:
    ExpectedSlider(bool tx, int minimum, int maximum)
        : tx_(tx), minimum_(minimum), maximum_(maximum) {}

    int Position() const { return position_; }

    // Moves as the key moves the thumb; the command line it sends, or "" if it stays put.
    std::string Move(Qt::Key key) {
        const int before = position_;
        position_ = std::clamp(position_ + Delta(key), minimum_, maximum_);
        if (position_ == before) {
            return "";
        }
        if (tx_) {
            return "gsm+ A at+vgt=" + std::to_string(TxValue()) + "\r";
        }
        if (position_ % 2 == 0) {
            rxValue_ = 48 - 8 * position_;
        }
        return "gsm+ A at+vgr=" + std::to_string(rxValue_) + "\r";
    }

    // The position a read brings back: odd RX positions share the value of an even one.
    int PositionOnModem() const { return tx_ ? position_ : (48 - rxValue_) / 8; }

private:
    // The minimum is at the top: Down and PageDown raise the value.
    static int Delta(Qt::Key key) {
        switch (key) {
            case Qt::Key_Up:
                return -1;
            case Qt::Key_Down:
                return 1;
            case Qt::Key_PageUp:
                return -5;
            default:
                return 5;
        }
    }

    int TxValue() const { return position_ < 13 ? position_ + 243 : position_ - 13; }

    bool tx_;
    int minimum_;
    int maximum_;
    int position_ = 0;
    int rxValue_ = 48;  // what the window starts with at RX position 0
};

// The first difference, so that a failure does not print two thousand lines.
::testing::AssertionResult SameLines(const std::vector<std::string>& expected,
                                     const std::vector<std::string>& actual) {
    const auto [wanted, got] =
        std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    if (wanted == expected.end() && got == actual.end()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "line " << (wanted - expected.begin()) << " of " << actual.size() << ": expected "
           << (wanted == expected.end() ? "none" : ::testing::PrintToString(*wanted)) << ", got "
           << (got == actual.end() ? "none" : ::testing::PrintToString(*got));
}

TEST_F(WindowTest, ThousandRandomSliderStepsReachTheModemInOrder) {
    StartSimulator();
    Click("Command1");
    std::mt19937 random(kSeed);
    const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown};
    ExpectedSlider tx(true, 0, 115);
    ExpectedSlider rx(false, -22, 6);
    std::vector<std::string> expected;
    while (expected.size() < kMoves) {
        const bool onTx = std::bernoulli_distribution()(random);
        const Qt::Key key = keys[std::uniform_int_distribution<>(0, 3)(random)];
        ExpectedSlider& slider = onTx ? tx : rx;
        if (std::string line = slider.Move(key); !line.empty()) {
            expected.push_back(std::move(line));
        }
        Press(onTx ? "Slider1" : "Slider2", key);
        ASSERT_EQ(Position(onTx ? "Slider1" : "Slider2"), slider.Position())
            << "after " << expected.size() << " moves";
        // Replies come in between presses, as they would for a user.
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(SameLines(expected, WaitForLog(kMoves)));

    ReadValues("B", 13, 0);
    ReadValues("A", tx.PositionOnModem(), rx.PositionOnModem());
    EXPECT_EQ(Simulator().LogLines().size(), kMoves + 2);
}

}  // namespace
}  // namespace quellmark::e2e

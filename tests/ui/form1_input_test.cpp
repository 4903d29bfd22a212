#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <functional>

#include "command_line.h"
#include "form1_fixture.h"

namespace quellmark::testing {
namespace {

// A change the user makes to a slider, starting from position 0.
struct UserMove {
    const char* name;
    bool tx;
    std::function<void(QSlider*)> act;
    int expectedPosition;
};

void Press(Qt::Key key, QSlider* slider) {
    QTest::keyClick(slider, key);
}

// One notch of the wheel turned towards the user, which scrolls down.
void WheelDown(QSlider* slider) {
    const QPointF at = slider->rect().center();
    QWheelEvent event(at, slider->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(slider, &event);
}

void ClickTrackNearBottom(QSlider* slider) {
    QTest::mouseClick(slider, Qt::LeftButton, {}, {slider->width() / 2, slider->height() - 5});
}

using namespace std::placeholders;

const UserMove kUserMoves[] = {
    {"TxDownKey", true, std::bind(Press, Qt::Key_Down, _1), 1},
    {"TxPageDownKey", true, std::bind(Press, Qt::Key_PageDown, _1), 5},
    {"TxEndKey", true, std::bind(Press, Qt::Key_End, _1), 115},
    {"TxWheel", true, WheelDown, 3},
    {"TxTrackClick", true, ClickTrackNearBottom, 5},
    {"RxDownKey", false, std::bind(Press, Qt::Key_Down, _1), 1},
    {"RxPageDownKey", false, std::bind(Press, Qt::Key_PageDown, _1), 5},
    {"RxEndKey", false, std::bind(Press, Qt::Key_End, _1), 6},
    {"RxTrackClick", false, ClickTrackNearBottom, 5},
};

void PrintTo(const UserMove& move, std::ostream* out) {
    *out << move.name;
}

class Form1UserMoveTest : public Form1Test, public ::testing::WithParamInterface<UserMove> {};

// Moving the thumb down raises the gain, and the modem gets the value now shown, once.
TEST_P(Form1UserMoveTest, WritesOneSetCommandWithTheShownValue) {
    const UserMove& move = GetParam();
    Click("Command1");
    auto* slider = Find<QSlider>(move.tx ? "Slider1" : "Slider2");

    move.act(slider);

    EXPECT_EQ(slider->value(), move.expectedPosition);
    const std::string shown = Text(move.tx ? "Label2" : "Label8").toStdString();
    const std::string expected =
        move.tx ? BuildSetTxCommand("A", shown) : BuildSetRxCommand("A", shown);
    EXPECT_EQ(port_->writes, std::vector<std::string>{expected});
}

INSTANTIATE_TEST_SUITE_P(Inputs, Form1UserMoveTest, ::testing::ValuesIn(kUserMoves),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Form1Test, KeyThatCannotMoveTheThumbWritesNothing) {
    Click("Command1");
    Press("Slider1", Qt::Key_Up);
    EXPECT_EQ(Position("Slider1"), 0);
    EXPECT_TRUE(port_->writes.empty());
}

TEST_F(Form1Test, DragWritesOnceOnRelease) {
    Click("Command1");
    auto* slider = Find<QSlider>("Slider1");
    const int x = slider->width() / 2;

    QTest::mousePress(slider, Qt::LeftButton, {}, {x, 10});
    ASSERT_TRUE(slider->isSliderDown()) << "the press missed the thumb";
    QTest::mouseMove(slider, {x, 150});
    QTest::mouseMove(slider, {x, 250});
    EXPECT_GT(slider->sliderPosition(), 0);
    EXPECT_TRUE(port_->writes.empty());
    QTest::mouseRelease(slider, Qt::LeftButton, {}, {x, 250});

    EXPECT_EQ(slider->value(), slider->sliderPosition());
    EXPECT_EQ(port_->writes,
              std::vector<std::string>{BuildSetTxCommand("A", Text("Label2").toStdString())});
}

struct Reply {
    const char* line;
    const char* slider;
    int expectedPosition;
    const char* valueLabel;
    const char* expectedValue;
};

// The modem echoes the query, so the tag starts in column 21.
const Reply kReplies[] = {
    {"gsm+ A at+vgr?;+vgt?+VGT: 100\r\n", "Slider1", 113, "Label2", "100"},
    {"gsm+ A at+vgr?;+vgt?+VGR: 96\r\n", "Slider2", -6, "Label8", "96"},
};

TEST_F(Form1Test, ReplyMovesTheSliderWithoutWritingBack) {
    Click("Command1");
    for (const auto& [line, slider, position, valueLabel, value] : kReplies) {
        SCOPED_TRACE(line);
        port_->Receive(line);
        EXPECT_EQ(Position(slider), position);
        EXPECT_EQ(Text(valueLabel), value);
    }
    EXPECT_TRUE(port_->writes.empty());
}

TEST_F(Form1Test, FailedOpenShowsErrorAndStaysDisconnected) {
    port_->openSucceeds = false;
    Click("Command1");
    EXPECT_EQ(TakeMessageBoxes(), std::vector{test_support::kOpenFailedBox});
    EXPECT_TRUE(ShowsConnected(false));
}

}  // namespace
}  // namespace quellmark::testing

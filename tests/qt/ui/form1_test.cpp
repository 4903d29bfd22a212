#include "element_table.h"
#include "fake_serial_port.h"
#include "window_test.h"

namespace quellmark {
namespace {

using namespace test_support;

struct Form1Test : WindowTest {
    Form1Test() : WindowTest(new testing::FakeSerialPort) {}
    testing::FakeSerialPort& fake = static_cast<testing::FakeSerialPort&>(*port);
};

TEST_F(Form1Test, StartsAsShown) {
    EXPECT_EQ(form->windowTitle(), "Quellmark");
    EXPECT_EQ(form->minimumSize(), kTableSize);
    EXPECT_EQ(form->maximumSize(), kTableSize);
    for (const auto& [name, parent, geometry, text, enabled] : kElements) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Find(name)->parentWidget(), parent ? Find(parent) : form.get());
        EXPECT_EQ(Find(name)->geometry(), geometry);
        EXPECT_EQ(Find(name)->isEnabled(), enabled);
        if (text != nullptr) {
            EXPECT_EQ(Text(name), text);
        }
    }
    const auto* combo = Find<QComboBox>("Combo1");
    EXPECT_EQ(combo->count(), 10);
    EXPECT_EQ(combo->itemText(9), "COM 10");
    EXPECT_TRUE(fake.writes.empty());
}

// The separator comes from the user's locale, read once per process: ctest runs this again under
// LANG=de_DE.UTF-8, saying what to expect.
TEST_F(Form1Test, TxGainShowsTheLocaleDecimalSeparator) {
    if (qEnvironmentVariableIsEmpty("EXPECTED_TX_GAIN")) {
        GTEST_SKIP() << "run by the locale entries";
    }
    EXPECT_EQ(Text("Label1"), qEnvironmentVariable("EXPECTED_TX_GAIN"));
}

// Moving the thumb down raises the gain; each move writes the value then shown, once (a drag on
// release only). An odd RX position keeps the value shown before. Wheel and clicks on the track
// step the slider as keys do.
TEST_F(Form1Test, EachUserMoveWritesOneSetCommandWithTheValueShown) {
    const auto key = [](Qt::Key key) { return [key](QSlider* s) { QTest::keyClick(s, key); }; };
    const auto dragThumbFromTop = [](QSlider* s) {
        QTest::mousePress(s, Qt::LeftButton, {}, {s->width() / 2, 10});
        QTest::mouseMove(s, {s->width() / 2, 150});
        QTest::mouseMove(s, {s->width() / 2, 250});
        QTest::mouseRelease(s, Qt::LeftButton, {}, {s->width() / 2, 250});
    };
    const struct {
        const char* slider;
        std::function<void(QSlider*)> move;
        int position;
        const char* value;
    } moves[] = {
        {"Slider1", dragThumbFromTop, 64, "51"},    {"Slider1", key(Qt::Key_Down), 65, "52"},
        {"Slider1", key(Qt::Key_PageUp), 60, "47"}, {"Slider2", key(Qt::Key_Up), -1, "48"},
        {"Slider2", key(Qt::Key_PageUp), -6, "96"}, {"Slider2", key(Qt::Key_Down), -5, "96"},
    };
    Click("Command1");
    for (const auto& [slider, move, position, value] : moves) {
        const bool tx = slider == std::string("Slider1");
        SCOPED_TRACE(std::string(slider) + " to " + std::to_string(position));
        fake.writes.clear();
        move(Find<QSlider>(slider));
        EXPECT_EQ(Position(slider), position);
        EXPECT_EQ(Text(tx ? "Label2" : "Label8"), value);
        const std::string command = std::string("gsm+ A at+vg") + (tx ? "t=" : "r=") + value + "\r";
        EXPECT_EQ(fake.writes, std::vector{command});
    }
}

// The modem echoes the query, so the tag starts in column 21.
TEST_F(Form1Test, ReplyMovesTheSliderWithoutWritingBack) {
    Click("Command1");
    fake.Receive("gsm+ A at+vgr?;+vgt?+VGT: 100\r\n");
    fake.Receive("gsm+ A at+vgr?;+vgt?+VGR: 96\r\n");
    EXPECT_EQ(Position("Slider1"), 113);
    EXPECT_EQ(Position("Slider2"), -6);
    EXPECT_EQ(Text("Label2") + ' ' + Text("Label8"), "100 96");
    EXPECT_TRUE(fake.writes.empty());
}

}  // namespace
}  // namespace quellmark

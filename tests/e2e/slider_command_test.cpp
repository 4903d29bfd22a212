#include <QLocale>
#include <string>
#include <vector>

#include "window_test.h"

namespace quellmark::e2e {
namespace {

// One key press and what follows from it; an empty line means the press changes nothing.
struct Step {
    Qt::Key key;
    int position;
    const char* gain;  // with '.' standing for the locale's decimal separator
    const char* value;
    std::string line;
};

// Key presses on one slider, from TX position 13 (device 0) and RX position -2 (device 64).
struct KeySequence {
    const char* name;
    const char* slider;
    std::vector<Step> steps;
};

void PrintTo(const KeySequence& sequence, std::ostream* out) {
    *out << sequence.name;
}

const KeySequence kKeySequences[] = {
    {"TxDown",
     "Slider1",
     {{Qt::Key_Down, 14, "0.5 db", "1", "gsm+ A at+vgt=1\r"},
      {Qt::Key_Down, 15, "1 db", "2", "gsm+ A at+vgt=2\r"}}},
    {"TxUpBelowZeroDb",
     "Slider1",
     {{Qt::Key_Up, 12, "-0.5 db", "255", "gsm+ A at+vgt=255\r"},
      {Qt::Key_PageUp, 7, "-3 db", "250", "gsm+ A at+vgt=250\r"}}},
    {"TxPageDown",
     "Slider1",
     {{Qt::Key_PageDown, 18, "2.5 db", "5", "gsm+ A at+vgt=5\r"},
      {Qt::Key_PageDown, 23, "5 db", "10", "gsm+ A at+vgt=10\r"}}},
    {"TxPageUpToTheTop",
     "Slider1",
     {{Qt::Key_PageUp, 8, "-2.5 db", "251", "gsm+ A at+vgt=251\r"},
      {Qt::Key_PageUp, 3, "-5 db", "246", "gsm+ A at+vgt=246\r"},
      {Qt::Key_PageUp, 0, "-6.5 db", "243", "gsm+ A at+vgt=243\r"},
      {Qt::Key_Up, 0, "-6.5 db", "243", ""}}},
    {"RxUp",
     "Slider2",
     {{Qt::Key_Up, -3, "-3 db", "64", "gsm+ A at+vgr=64\r"},
      {Qt::Key_Up, -4, "-4 db", "80", "gsm+ A at+vgr=80\r"}}},
    {"RxDown",
     "Slider2",
     {{Qt::Key_Down, -1, "-1 db", "64", "gsm+ A at+vgr=64\r"},
      {Qt::Key_Down, 0, "0 db", "48", "gsm+ A at+vgr=48\r"}}},
    {"RxPageDownToTheBottom",
     "Slider2",
     {{Qt::Key_PageDown, 3, "3 db", "64", "gsm+ A at+vgr=64\r"},
      {Qt::Key_PageDown, 6, "6 db", "0", "gsm+ A at+vgr=0\r"},
      {Qt::Key_Down, 6, "6 db", "0", ""}}},
    {"RxPageUpToTheTop",
     "Slider2",
     {{Qt::Key_PageUp, -7, "-7 db", "64", "gsm+ A at+vgr=64\r"},
      {Qt::Key_PageUp, -12, "-12 db", "144", "gsm+ A at+vgr=144\r"},
      {Qt::Key_PageUp, -17, "-17 db", "144", "gsm+ A at+vgr=144\r"},
      {Qt::Key_PageUp, -22, "-22 db", "224", "gsm+ A at+vgr=224\r"},
      {Qt::Key_PageUp, -22, "-22 db", "224", ""}}},
};

QString LocalGain(const char* gain) {
    return QString::fromLatin1(gain).replace('.', QLocale::system().decimalPoint());
}

class KeySequenceTest : public WindowTest, public ::testing::WithParamInterface<KeySequence> {
protected:
    bool IsTx() const { return std::string(GetParam().slider) == "Slider1"; }
    const char* GainLabel() const { return IsTx() ? "Label1" : "Label7"; }
    const char* ValueLabel() const { return IsTx() ? "Label2" : "Label8"; }
};

// Every press that moves the slider sends one set command with the value shown; the modem keeps
// it, so reading it back (after another channel's read moved the sliders away) returns there.
TEST_P(KeySequenceTest, EachMoveSetsTheModemToTheValueShown) {
    StartSimulator(kGains);
    Click("Command1");
    ReadValues("A", 13, -2);
    std::vector<std::string> expected{kQueryA};
    for (const Step& step : GetParam().steps) {
        SCOPED_TRACE(step.position);
        Press(GetParam().slider, step.key);
        EXPECT_EQ(Position(GetParam().slider), step.position);
        EXPECT_EQ(Text(GainLabel()), LocalGain(step.gain));
        EXPECT_EQ(Text(ValueLabel()), step.value);
        if (!step.line.empty()) {
            expected.push_back(step.line);
        }
        EXPECT_EQ(WaitForLog(expected.size()), expected);
    }

    const int tx = IsTx() ? GetParam().steps.back().position : 13;
    const int rx = IsTx() ? -2 : GetParam().steps.back().position;
    ReadValues("B", 13, -2);
    ReadValues("A", tx, rx);
    expected.insert(expected.end(), {kQueryB, kQueryA});
    EXPECT_EQ(Simulator().LogLines(), expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeySequenceTest, ::testing::ValuesIn(kKeySequences),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, StoringReachesTheModem) {
    StartSimulator();
    Click("Command1");
    Press("Slider1", Qt::Key_Down);
    Click("Command3");
    EXPECT_EQ(WaitForLog(2), (std::vector<std::string>{"gsm+ A at+vgt=244\r", "gsm+ A at&w\r"}));
}

}  // namespace
}  // namespace quellmark::e2e

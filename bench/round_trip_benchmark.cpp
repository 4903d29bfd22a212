// Round trips over a pseudo-terminal, with the far end played in this process on the same event
// loop: a key press on the TX slider until the command's CR reaches the far end, and a reply
// written at the far end until the slider stands where the reply puts it.
#include <QApplication>
#include <QTest>
#include <vector>

#include "connected_window.h"
#include "far_end_listener.h"
#include "figures.h"

namespace {

using namespace quellmark;
using namespace quellmark::bench;

constexpr int kWarmUp = 20;
constexpr int kSamples = 400;
constexpr double kTargetMedianMs = 1.0;

double MillisecondsSince(Clock::time_point start, Clock::time_point end) {
    return std::chrono::duration<double, std::milli>(end - start).count();
}

template <typename Done>
void RunEventsUntil(Done done) {
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

// Down and Up in turn, so the thumb moves every time.
std::vector<double> KeyToFarEnd(ConnectedWindow& window, FarEndListener& listener) {
    std::vector<double> samples;
    for (int i = 0; i < kWarmUp + kSamples; ++i) {
        listener.Reset();
        const Clock::time_point start = Clock::now();
        QTest::keyClick(window.TxSlider(), i % 2 == 0 ? Qt::Key_Down : Qt::Key_Up);
        RunEventsUntil([&] { return listener.CommandEndTime().has_value(); });
        if (i >= kWarmUp) {
            samples.push_back(MillisecondsSince(start, *listener.CommandEndTime()));
        }
    }
    return samples;
}

// Device values 5 and 6 in turn: slider positions 18 and 19.
std::vector<double> ReplyToSlider(ConnectedWindow& window) {
    std::vector<double> samples;
    for (int i = 0; i < kWarmUp + kSamples; ++i) {
        const int value = 5 + i % 2;
        std::string reply = "gsm+ A at+vgr?;+vgt?+VGT: ";
        reply += std::to_string(value);
        reply += "\r\n";
        const Clock::time_point start = Clock::now();
        window.FarEnd().WriteSome(reply);
        RunEventsUntil([&] { return window.TxSlider()->value() == value + 13; });
        if (i >= kWarmUp) {
            samples.push_back(MillisecondsSince(start, Clock::now()));
        }
    }
    return samples;
}

void Report(const std::string& what, const std::vector<double>& samples) {
    const double median = Median(samples);
    PrintFigure(what + ", median", Fixed(median, 3) + " ms", "< 1 ms", median < kTargetMedianMs);
    PrintFigure(what + ", 99th percentile", Fixed(Percentile(samples, 99), 3) + " ms");
}

}  // namespace

int main(int argc, char* argv[]) {
    DefaultToOffscreen();
    QApplication app(argc, argv);
    ConnectedWindow window;
    FarEndListener listener(window.FarEnd());
    Report("Round trip: key press to command at far end", KeyToFarEnd(window, listener));
    Report("Round trip: reply at far end to slider moved", ReplyToSlider(window));
    return 0;
}

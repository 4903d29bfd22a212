// How long a click on "Aktuelle Werte auslesen" takes while the far end floods the line without
// pause: from posting the click to the query's last byte arriving at the far end. The flood is
// written by a thread of this benchmark; the window runs on the main thread alone, as in the
// program, and the query is read there as soon as the event loop sees it.
#include <poll.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <atomic>
#include <thread>
#include <vector>

#include "connected_window.h"
#include "far_end_listener.h"
#include "figures.h"

namespace {

using namespace std::chrono_literals;
using namespace quellmark;
using namespace quellmark::bench;

constexpr int kWarmUp = 10;
constexpr int kSamples = 200;
constexpr auto kPauseBetweenClicks = 5ms;

// Writes the pattern again and again, picking up where the last write stopped, for as long as it
// lives.
class Flooder {
public:
    Flooder(test_support::PseudoTerminal& pty, std::string pattern)
        : pty_(pty), pattern_(std::move(pattern)), thread_([this] { Run(); }) {}
    ~Flooder() {
        stop_ = true;
        thread_.join();
    }

    std::uint64_t BytesWritten() const { return written_; }

private:
    void Run() {
        while (!stop_) {
            pollfd entry{pty_.MasterFd(), POLLOUT, 0};
            if (poll(&entry, 1, 10) == 1) {
                const std::size_t count =
                    pty_.WriteSome(std::string_view(pattern_).substr(offset_));
                offset_ = (offset_ + count) % pattern_.size();
                written_ += count;
            }
        }
    }

    test_support::PseudoTerminal& pty_;
    const std::string pattern_;
    std::size_t offset_ = 0;
    std::atomic<bool> stop_ = false;
    std::atomic<std::uint64_t> written_ = 0;
    std::thread thread_;
};

std::string Junk() {
    std::string junk(4096, 'x');
    for (std::size_t i = 0; i < junk.size(); ++i) {
        junk[i] = char('!' + i % 90);
    }
    return junk;
}

// Replies that move both sliders back and forth, so the window repaints all the time.
std::string Replies() {
    std::string replies;
    for (int i = 0; i < 64; ++i) {
        replies += "gsm+ A at+vgr?;+vgt?+VGR: ";
        replies += std::to_string(i % 2 == 0 ? 0 : 96);
        replies += "\r\ngsm+ A at+vgr?;+vgt?+VGT: ";
        replies += std::to_string(i % 2 == 0 ? 5 : 50);
        replies += "\r\nOK\r\n";
    }
    return replies;
}

void PostClick(QAbstractButton* button) {
    const QPointF at = QRectF(button->rect()).center();
    const QPointF global = button->mapToGlobal(at);
    QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonPress, at, global,
                                                        Qt::LeftButton, Qt::LeftButton, {}));
    QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                        Qt::LeftButton, Qt::NoButton, {}));
}

void RunEventsFor(std::chrono::milliseconds duration) {
    bool done = false;
    QTimer::singleShot(duration, [&] { done = true; });
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void MeasureUnder(const char* flood, const std::string& pattern, ConnectedWindow& window,
                  FarEndListener& listener) {
    std::vector<double> samples;
    Flooder flooder(window.FarEnd(), pattern);
    RunEventsFor(200ms);
    const std::uint64_t bytesBefore = flooder.BytesWritten();
    const Clock::time_point floodStart = Clock::now();
    for (int i = 0; i < kWarmUp + kSamples; ++i) {
        listener.Reset();
        const Clock::time_point start = Clock::now();
        PostClick(window.Button("Command2"));
        while (!listener.CommandEndTime()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        if (i >= kWarmUp) {
            samples.push_back(
                std::chrono::duration<double, std::milli>(*listener.CommandEndTime() - start)
                    .count());
        }
        RunEventsFor(kPauseBetweenClicks);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - floodStart).count();
    const double megabytes = double(flooder.BytesWritten() - bytesBefore) / 1e6;

    const std::string what = std::string("Click under a flood of ") + flood;
    PrintFigure(what + ": posted to query at far end, median", Fixed(Median(samples), 3) + " ms");
    PrintFigure(what + ": posted to query at far end, 99th percentile",
                Fixed(Percentile(samples, 99), 3) + " ms");
    PrintFigure(what + ": flood taken in", Fixed(megabytes / seconds, 1) + " MB/s");
}

}  // namespace

int main(int argc, char* argv[]) {
    DefaultToOffscreen();
    QApplication app(argc, argv);
    ConnectedWindow window;
    FarEndListener listener(window.FarEnd());
    MeasureUnder("junk without line ends", Junk(), window, listener);
    MeasureUnder("replies moving both sliders", Replies(), window, listener);
    return 0;
}

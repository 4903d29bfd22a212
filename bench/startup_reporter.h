#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "monotonic_clock.h"

namespace quellmark::bench {

// Notes when a start-up probe reaches each step. Once the first paint pass is over and the
// event loop is back, it repaints the window once more, now with every cache warm, and prints
// on stdout, as MonotonicNs() on one line: main entered, application ready, window built, window
// shown, first paint done, second paint done; then it quits.
class StartupReporter : public QObject {
public:
    explicit StartupReporter(long long mainEntered) : mainEntered_(mainEntered) {
        QCoreApplication::instance()->installEventFilter(this);
    }

    void WindowBuilt() { built_ = MonotonicNs(); }
    void WindowShown() { shown_ = MonotonicNs(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && window_ == nullptr) {
            window_ = static_cast<QWidget*>(watched)->window();
            // Runs after the whole window has painted and been flushed.
            QTimer::singleShot(0, [this] { Report(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Report() const {
        const long long painted = MonotonicNs();
        window_->repaint();
        std::printf("%lld %lld %lld %lld %lld %lld\n", mainEntered_, appReady_, built_, shown_,
                    painted, MonotonicNs());
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    const long long mainEntered_;
    const long long appReady_ = MonotonicNs();
    long long built_ = 0;
    long long shown_ = 0;
    QWidget* window_ = nullptr;
};

}  // namespace quellmark::bench

#include "qt_gain_run.h"

#include "send_limit.h"

namespace quellmark::ctl {

QtGainRun::QtGainRun(QtSerialPort& port, const CtlOptions& options)
    : port_(port), sequence_(options, *this) {
    deadline_.setSingleShot(true);
    // A coarse timer may fire up to 5 % early: the time-out is a promise to wait that long.
    deadline_.setTimerType(Qt::PreciseTimer);
    sendLimit_.setSingleShot(true);
    QObject::connect(&deadline_, &QTimer::timeout, [this] { sequence_.OnDeadlinePassed(); });
    QObject::connect(&sendLimit_, &QTimer::timeout, [this] { End(false); });
    port_.SetEventHandler([this] { OnPortEvent(); });
}

QtGainRun::~QtGainRun() {
    port_.SetEventHandler({});
}

bool QtGainRun::Run() {
    sequence_.Start();
    if (!ended_) {
        loop_.exec();
    }
    return allSent_;
}

void QtGainRun::Write(const std::string& line) {
    port_.Write(line);
}

void QtGainRun::StartDeadline(std::chrono::milliseconds after) {
    deadline_.start(after);
}

void QtGainRun::Finish() {
    deadline_.stop();
    finishing_ = true;
    if (!port_.IsOpen() || port_.UnsentCount() == 0) {
        End(port_.IsOpen());
        return;
    }
    sendLimit_.start(SendLimit(port_.UnsentCount()));
}

void QtGainRun::OnPortEvent() {
    if (!port_.IsOpen()) {
        if (finishing_) {
            End(false);
        } else {
            sequence_.OnDeviceLost();
        }
        return;
    }
    if (port_.WaitingCount() > 0) {
        sequence_.OnReceived(port_.ReadAll());
    }
    if (finishing_ && port_.UnsentCount() == 0) {
        End(true);
    }
}

void QtGainRun::End(bool allSent) {
    if (ended_) {
        return;
    }
    ended_ = true;
    allSent_ = allSent;
    sendLimit_.stop();
    if (allSent) {
        port_.WaitUntilSent();
    }
    loop_.quit();
}

}  // namespace quellmark::ctl

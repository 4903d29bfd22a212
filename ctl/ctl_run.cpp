#include "ctl_run.h"

#include "send_limit.h"

namespace quellmark::ctl {

CtlRun::CtlRun(CtlSystem& system, SerialLine& port, const CtlOptions& options)
    : system_(system), port_(port), sequence_(options, *this) {
    port_.SetEventHandler([this] { OnPortEvent(); });
}

CtlRun::~CtlRun() {
    port_.SetEventHandler({});
}

bool CtlRun::Run() {
    sequence_.Start();
    if (!ended_) {
        system_.RunEventLoop();
    }
    return allSent_;
}

void CtlRun::Write(const std::string& line) {
    port_.Write(line);
}

void CtlRun::StartDeadline(std::chrono::milliseconds after) {
    system_.StartTimer(after, [this] { sequence_.OnDeadlinePassed(); });
}

void CtlRun::Finish() {
    finishing_ = true;
    if (!port_.IsOpen() || port_.UnsentCount() == 0) {
        End(port_.IsOpen());
        return;
    }
    system_.StartTimer(SendLimit(port_.UnsentCount()), [this] { End(false); });
}

void CtlRun::OnPortEvent() {
    if (!port_.IsOpen()) {
        if (finishing_) {
            End(false);
        } else {
            sequence_.OnDeviceLost();
        }
        return;
    }
    if (const std::string received = port_.ReadAll(); !received.empty()) {
        sequence_.OnReceived(received);
    }
    if (finishing_ && port_.UnsentCount() == 0) {
        End(true);
    }
}

void CtlRun::End(bool allSent) {
    if (ended_) {
        return;
    }
    ended_ = true;
    allSent_ = allSent;
    system_.StopTimer();
    if (allSent) {
        port_.WaitUntilSent();
    }
    system_.QuitEventLoop();
}

}  // namespace quellmark::ctl

#pragma once

#include <QEventLoop>
#include <QTimer>

#include "ctl_link.h"
#include "gain_sequence.h"
#include "qt_serial_port.h"

namespace quellmark::ctl {

// Runs a GainSequence over an open QtSerialPort in a Qt event loop of its own.
class QtGainRun : public CtlLink {
public:
    QtGainRun(QtSerialPort& port, const CtlOptions& options);
    ~QtGainRun() override;
    QtGainRun(const QtGainRun&) = delete;
    QtGainRun& operator=(const QtGainRun&) = delete;

    // Returns once the sequence has ended and what it wrote has gone out; false when some of it
    // could not go out.
    bool Run();
    const GainSequence& Sequence() const { return sequence_; }

private:
    void Write(const std::string& line) override;
    void StartDeadline(std::chrono::milliseconds after) override;
    void Finish() override;

    void OnPortEvent();
    void End(bool allSent);

    QtSerialPort& port_;
    GainSequence sequence_;
    QTimer deadline_;
    QTimer sendLimit_;
    QEventLoop loop_;
    bool finishing_ = false;
    bool ended_ = false;
    bool allSent_ = false;
};

}  // namespace quellmark::ctl

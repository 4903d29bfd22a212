#pragma once

#include "ctl_link.h"
#include "ctl_system.h"
#include "gain_sequence.h"

namespace quellmark::ctl {

// A GainSequence over an open port, in the system's event loop: received bytes and the deadline
// go to the sequence, and when it is over, the run waits until what it wrote has gone out.
class CtlRun : public CtlLink {
public:
    CtlRun(CtlSystem& system, SerialLine& port, const CtlOptions& options);
    ~CtlRun() override;
    CtlRun(const CtlRun&) = delete;
    CtlRun& operator=(const CtlRun&) = delete;

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

    CtlSystem& system_;
    SerialLine& port_;
    GainSequence sequence_;
    bool finishing_ = false;
    bool ended_ = false;
    bool allSent_ = false;
};

}  // namespace quellmark::ctl

#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "ctl_link.h"
#include "ctl_options.h"
#include "gain_reading.h"
#include "line_buffer.h"

namespace quellmark::ctl {

// The commands for each channel in turn: set TX, set RX, store, query, each only when asked.
// With a query the next channel waits until both replies have come or the deadline passed.
// Never waits itself: the program reports received bytes, the deadline and the loss of the device.
class GainSequence {
public:
    GainSequence(const CtlOptions& options, CtlLink& link);
    GainSequence(const GainSequence&) = delete;
    GainSequence& operator=(const GainSequence&) = delete;

    void Start();
    void OnReceived(std::string_view bytes);
    void OnDeadlinePassed();
    void OnDeviceLost();

    bool DeviceLost() const { return deviceLost_; }
    // One per channel whose read has ended, in order.
    const std::vector<GainReading>& Readings() const { return readings_; }

private:
    void SendChannels();
    void SendChannel();
    void EndChannel();
    void HandleLine(std::string_view line);
    void Finish();

    const CtlOptions& options_;
    CtlLink& link_;
    LineBuffer lineBuffer_;
    std::size_t channel_ = 0;
    bool awaitingReplies_ = false;
    bool finished_ = false;
    bool deviceLost_ = false;
    GainReading current_;
    std::vector<GainReading> readings_;
};

}  // namespace quellmark::ctl

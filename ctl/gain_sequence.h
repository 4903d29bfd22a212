#pragma once

#include <cstddef>
#include <span>
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
    // One per channel, in order, with what its query brought; nothing before the query.
    std::span<const GainReading> Readings() const { return readings_; }
    // The first channels: those whose read has ended.
    std::span<const GainReading> EndedReadings() const {
        return Readings().first(options_.read ? channel_ : 0);
    }

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
    std::vector<GainReading> readings_;
};

}  // namespace quellmark::ctl

#include "gain_sequence.h"

#include "command_line.h"
#include "gain_scale.h"
#include "reply_line.h"

namespace quellmark::ctl {

GainSequence::GainSequence(const CtlOptions& options, CtlLink& link)
    : options_(options), link_(link) {
    for (const ChannelSetting& setting : options.settings) {
        readings_.push_back({setting.channel, std::nullopt, std::nullopt});
    }
}

void GainSequence::Start() {
    SendChannels();
}

void GainSequence::OnReceived(std::string_view bytes) {
    for (const char c : bytes) {
        if (lineBuffer_.Add(c)) {
            HandleLine(lineBuffer_.Line());
        }
    }
}

void GainSequence::OnDeadlinePassed() {
    if (awaitingReplies_) {
        EndChannel();
    }
}

void GainSequence::OnDeviceLost() {
    if (finished_) {
        return;
    }
    deviceLost_ = true;
    awaitingReplies_ = false;
    Finish();
}

// Goes on until a channel waits for its replies, or to the end.
void GainSequence::SendChannels() {
    for (; channel_ < options_.settings.size(); ++channel_) {
        SendChannel();
        if (options_.read) {
            awaitingReplies_ = true;
            link_.Write(BuildQueryCommand(options_.settings[channel_].channel));
            link_.StartDeadline(options_.timeout);
            return;
        }
    }
    Finish();
}

// The same lines, byte for byte, that the window sends for these values.
void GainSequence::SendChannel() {
    const auto& [channel, txPosition, rxGain] = options_.settings[channel_];
    if (txPosition) {
        const int value = GainScale::TxDeviceValue(*txPosition);
        link_.Write(BuildSetTxCommand(channel, std::to_string(value)));
    }
    if (rxGain) {
        const int value = *GainScale::RxDeviceValue(*rxGain);
        link_.Write(BuildSetRxCommand(channel, std::to_string(value)));
    }
    if (options_.store) {
        link_.Write(BuildStoreCommand(channel));
    }
}

void GainSequence::EndChannel() {
    awaitingReplies_ = false;
    ++channel_;
    SendChannels();
}

// Lines that are no reply, and replies while no query is open, change nothing.
void GainSequence::HandleLine(std::string_view line) {
    if (!awaitingReplies_) {
        return;
    }
    const ReplyValues values = ParseReplyLine(line);
    GainReading& reading = readings_[channel_];
    if (values.rx) {
        reading.rx = values.rx;
    }
    if (values.tx) {
        reading.tx = values.tx;
    }
    if (reading.rx && reading.tx) {
        EndChannel();
    }
}

void GainSequence::Finish() {
    finished_ = true;
    link_.Finish();
}

}  // namespace quellmark::ctl

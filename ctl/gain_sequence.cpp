#include "gain_sequence.h"

#include "command_line.h"
#include "gain_scale.h"
#include "reply_line.h"

namespace quellmark::ctl {

GainSequence::GainSequence(const CtlOptions& options, CtlLink& link)
    : options_(options), link_(link) {}

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
    for (; channel_ < options_.channels.size(); ++channel_) {
        SendChannel();
        if (options_.read) {
            current_ = {options_.channels[channel_], std::nullopt, std::nullopt};
            awaitingReplies_ = true;
            link_.Write(BuildQueryCommand(current_.channel));
            link_.StartDeadline(options_.timeout);
            return;
        }
    }
    Finish();
}

// The same lines, byte for byte, that the window sends for these values.
void GainSequence::SendChannel() {
    const std::string& channel = options_.channels[channel_];
    if (options_.txPosition) {
        const int value = GainScale::TxDeviceValue(*options_.txPosition);
        link_.Write(BuildSetTxCommand(channel, std::to_string(value)));
    }
    if (options_.rxGain) {
        const int value = *GainScale::RxDeviceValue(*options_.rxGain);
        link_.Write(BuildSetRxCommand(channel, std::to_string(value)));
    }
    if (options_.store) {
        link_.Write(BuildStoreCommand(channel));
    }
}

void GainSequence::EndChannel() {
    readings_.push_back(current_);
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
    if (values.rx) {
        current_.rx = values.rx;
    }
    if (values.tx) {
        current_.tx = values.tx;
    }
    if (current_.rx && current_.tx) {
        EndChannel();
    }
}

void GainSequence::Finish() {
    finished_ = true;
    link_.Finish();
}

}  // namespace quellmark::ctl

#include "modem.h"

#include <charconv>
#include <optional>

#include "wire_command.h"

namespace quellmark::modem_sim {

namespace {

constexpr std::size_t kLeadInWidth = 20;
constexpr int kMaxGain = 255;
constexpr std::size_t kSetterLength = std::string_view("at+vgt=").size();

const std::vector<std::string> kOk{"OK"};
const std::vector<std::string> kError{"ERROR"};

std::optional<int> ParseGain(std::string_view text) {
    // from_chars would take a minus sign; only plain digits are a gain.
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return std::nullopt;
    }
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value > kMaxGain) {
        return std::nullopt;
    }
    return value;
}

// The gain that a set command ("at+vgt=" or "at+vgr=" and a value) changes, if `at` is one.
int* SetTarget(std::string_view at, Gains& gains) {
    if (at.starts_with("at+vgt=")) {
        return &gains.tx;
    }
    return at.starts_with("at+vgr=") ? &gains.rx : nullptr;
}

}  // namespace

std::string LeadIn(std::string_view channel) {
    std::string lead = "gsm+ " + std::string(channel);
    lead.resize(kLeadInWidth, ' ');
    return lead;
}

std::vector<std::string> Modem::Execute(std::string_view line) {
    const std::optional<WireCommand> command = ParseWireCommand(line);
    if (!command) {
        return kError;
    }
    const std::string at = ToLower(command->at);
    Gains& gains = channels_.try_emplace(command->channel, initial_).first->second;
    if (at == "at+vgr?;+vgt?") {
        const std::string lead = LeadIn(command->channel);
        return {lead + "+VGR: " + std::to_string(gains.rx),
                lead + "+VGT: " + std::to_string(gains.tx), "OK"};
    }
    if (at == "at&w") {
        return kOk;
    }
    int* const gain = SetTarget(at, gains);
    const std::optional<int> value =
        gain ? ParseGain(std::string_view(at).substr(kSetterLength)) : std::nullopt;
    if (!value) {
        return kError;
    }
    *gain = *value;
    return kOk;
}

}  // namespace quellmark::modem_sim

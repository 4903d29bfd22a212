#include "modem.h"

#include <charconv>
#include <optional>

#include "wire_command.h"

namespace quellmark::modem_sim {

namespace {

constexpr std::size_t kLeadInWidth = 20;
constexpr int kMaxGain = 255;

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

// Sets `gain` when `at` is `setter` followed by a valid value.
std::optional<bool> TrySet(std::string_view at, std::string_view setter, int& gain) {
    if (!at.starts_with(setter)) {
        return std::nullopt;
    }
    const std::optional<int> value = ParseGain(at.substr(setter.size()));
    if (value) {
        gain = *value;
    }
    return value.has_value();
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
    std::optional<bool> set = TrySet(at, "at+vgt=", gains.tx);
    if (!set) {
        set = TrySet(at, "at+vgr=", gains.rx);
    }
    return set.value_or(false) ? kOk : kError;
}

}  // namespace quellmark::modem_sim

#include "wire_command.h"

#include <algorithm>
#include <cctype>

namespace quellmark::modem_sim {

namespace {

constexpr std::string_view kPrefix = "gsm+ ";
constexpr std::string_view kAtMarker = " at";

}  // namespace

std::string ToLower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::optional<WireCommand> ParseWireCommand(std::string_view line) {
    const std::string lower = ToLower(line);
    if (!lower.starts_with(kPrefix)) {
        return std::nullopt;
    }
    const std::size_t marker = lower.rfind(kAtMarker);
    // The marker's space must follow the prefix's own: "gsm+ at..." lacks the separator.
    if (marker == std::string::npos || marker < kPrefix.size()) {
        return std::nullopt;
    }
    return WireCommand{std::string(line.substr(kPrefix.size(), marker - kPrefix.size())),
                       std::string(line.substr(marker + 1))};
}

}  // namespace quellmark::modem_sim

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quellmark::modem_sim {

// One command line as the program sends it, without its carriage return:
// "gsm+ ", the channel, one space, the AT command.
struct WireCommand {
    std::string channel;
    std::string at;
};

// The channel is everything between "gsm+ " and the last " at", so it may be empty or hold
// spaces. Letters match in either case, as on a real modem.
std::optional<WireCommand> ParseWireCommand(std::string_view line);

std::string ToLower(std::string_view text);

}  // namespace quellmark::modem_sim

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "modem.h"

namespace quellmark::modem_sim {

struct Options {
    Gains initial;
    int delay_ms = 0;
    bool chunks = false;
    std::optional<std::uint32_t> seed;
    bool lf_only = false;
    bool noise = false;
    bool silent = false;
    std::string silent_channel;
    // Command lines after which the line is closed; none: never.
    std::optional<int> hangup_after;
    // The line's speed in baud that bytes are taken at; none: at once, 0: not at all.
    std::optional<int> pace_baud;
    std::string log_path;
    std::string settings_path;
    std::string link_path;
    bool help = false;
};

// The options in argv[1] to argv[argc - 1], or the message that says what is wrong with them.
std::variant<Options, std::string> ParseOptions(int argc, char* const argv[]);

std::string_view UsageText();

}  // namespace quellmark::modem_sim

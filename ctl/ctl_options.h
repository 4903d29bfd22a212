#pragma once

#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quellmark::ctl {

// One channel's commands: its text and the gains to set there, each only when given. Gains are
// kept in the scales' own units: the TX slider position and the RX gain in dB.
struct ChannelSetting {
    std::string channel;
    std::optional<int> txPosition;
    std::optional<int> rxGain;

    bool operator==(const ChannelSetting&) const = default;
};

// What the command line asks for.
struct CtlOptions {
    // A port number 1 to 10, or the device text exactly as given.
    std::variant<int, std::string> port;
    // From -c, --tx and --rx; with --apply, from the file once it has been read.
    std::vector<ChannelSetting> settings{{"A", std::nullopt, std::nullopt}};
    // The file of --apply, "-" for standard input.
    std::optional<std::string> applyFile{};
    bool store = false;
    bool read = false;
    bool json = false;
    std::chrono::milliseconds timeout{2000};

    bool operator==(const CtlOptions&) const = default;
};

enum class InfoRequest { Help, Version };

// Why the command line cannot be carried out, in one line of German.
struct UsageError {
    std::string reason;

    bool operator==(const UsageError&) const = default;
};

using ParsedCommandLine = std::variant<CtlOptions, InfoRequest, UsageError>;

// `args` without the program name, as UTF-8. Prints nothing; may be called again.
ParsedCommandLine ParseCommandLine(std::span<const std::string> args);

// "COM 3" for a port number, the device text itself otherwise.
std::string PortLabel(const std::variant<int, std::string>& port);

}  // namespace quellmark::ctl

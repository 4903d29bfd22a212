#include "ctl_options.h"

#include <functional>
#include <map>

#include "decimal_text.h"
#include "gain_scale.h"
#include "port_list.h"

namespace quellmark::ctl {

namespace {

constexpr long long kMaxTimeoutMs = 3'600'000;

using Assign = std::function<std::optional<std::string>(CtlOptions&, std::string_view value)>;

std::string Quoted(std::string_view text) {
    std::string quoted(1, '"');
    quoted += text;
    return quoted += '"';
}

std::optional<std::string> AssignTx(CtlOptions& options, std::string_view value) {
    const std::optional<DecimalText> number = ParseDecimalText(value);
    if (!number) {
        return Quoted(value) + " ist keine Zahl";
    }
    const std::optional<long long> halves = ScaledWhole(*number, 2);
    if (!halves) {
        return Quoted(value) + " liegt zwischen zwei Stufen (Schritte von 0,5 dB)";
    }
    // The position whose device value is 0 is the one of 0 dB.
    const long long position = *halves + *GainScale::TxPositionFromDevice(0);
    if (position < GainScale::kTxPositionMin || position > GainScale::kTxPositionMax) {
        return Quoted(value) + " liegt außerhalb von -6,5 bis 51 dB";
    }
    options.txPosition = int(position);
    return std::nullopt;
}

std::optional<std::string> AssignRx(CtlOptions& options, std::string_view value) {
    const std::optional<DecimalText> number = ParseDecimalText(value);
    if (!number) {
        return Quoted(value) + " ist keine Zahl";
    }
    const std::optional<long long> gain = ScaledWhole(*number, 1);
    if (!gain || *gain < GainScale::kRxPositionMin || *gain > GainScale::kRxPositionMax) {
        return Quoted(value) + " ist keiner der Werte -22, -20 … 4, 6 dB";
    }
    if (!GainScale::RxDeviceValue(int(*gain))) {
        return Quoted(value) + " ist ungerade; das Modem nimmt nur gerade Werte";
    }
    options.rxGain = int(*gain);
    return std::nullopt;
}

std::optional<std::string> AssignChannels(CtlOptions& options, std::string_view value) {
    std::vector<std::string> channels;
    for (std::size_t start = 0;;) {
        const std::size_t comma = value.find(',', start);
        channels.emplace_back(value.substr(start, comma - start));
        if (channels.back().empty()) {
            return value.empty() ? "leere Kanalliste" : "leerer Kanal in " + Quoted(value);
        }
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    options.channels = std::move(channels);
    return std::nullopt;
}

std::optional<std::string> AssignTimeout(CtlOptions& options, std::string_view value) {
    const std::optional<DecimalText> number = ParseDecimalText(value);
    const std::optional<long long> ms = number ? ScaledWhole(*number, 1000) : std::nullopt;
    if (!ms || *ms <= 0 || *ms > kMaxTimeoutMs) {
        return Quoted(value) + " ist keine Zahl von Sekunden über 0 bis 3600 (auf ms genau)";
    }
    options.timeout = std::chrono::milliseconds(*ms);
    return std::nullopt;
}

const std::map<std::string_view, Assign>& ValueOptions() {
    static const std::map<std::string_view, Assign> options{{"-c", AssignChannels},
                                                            {"--channel", AssignChannels},
                                                            {"--tx", AssignTx},
                                                            {"--rx", AssignRx},
                                                            {"--timeout", AssignTimeout}};
    return options;
}

const std::map<std::string_view, bool CtlOptions::*>& FlagOptions() {
    static const std::map<std::string_view, bool CtlOptions::*> flags{
        {"--store", &CtlOptions::store},
        {"--read", &CtlOptions::read},
        {"--json", &CtlOptions::json}};
    return flags;
}

// A port number when the text is all digits; any other text names a device.
std::optional<UsageError> AssignPort(CtlOptions& options, const std::string& text) {
    const std::optional<DecimalText> number =
        text.find_first_of("-.,") == std::string::npos ? ParseDecimalText(text) : std::nullopt;
    if (!number) {
        options.port = text;
    } else if (number->whole < 1 || number->whole > kPortCount) {
        return UsageError{"Port " + text + " gibt es nicht: 1 bis 10 oder ein Gerät angeben"};
    } else {
        options.port = int(number->whole);
    }
    return std::nullopt;
}

struct Scan {
    CtlOptions options;
    std::optional<std::string> port;
};

// One argument, with the next one when it is an option's value; advances `index` past both.
std::optional<ParsedCommandLine> ScanArgument(std::span<const std::string> args, std::size_t& index,
                                              Scan& scan) {
    const std::string& arg = args[index++];
    if (arg == "-h" || arg == "--help") {
        return InfoRequest::Help;
    }
    if (arg == "--version") {
        return InfoRequest::Version;
    }
    if (const auto flag = FlagOptions().find(arg); flag != FlagOptions().end()) {
        scan.options.*(flag->second) = true;
        return std::nullopt;
    }
    const std::size_t equals = arg.starts_with("--") ? arg.find('=') : std::string::npos;
    const std::string name = arg.substr(0, equals);
    if (const auto option = ValueOptions().find(name); option != ValueOptions().end()) {
        if (equals == std::string::npos && index == args.size()) {
            return UsageError{name + " braucht einen Wert"};
        }
        const std::string value =
            equals == std::string::npos ? args[index++] : arg.substr(equals + 1);
        if (const auto problem = option->second(scan.options, value)) {
            return UsageError{name + ": " + *problem};
        }
        return std::nullopt;
    }
    if (arg.size() > 1 && arg.starts_with('-')) {
        return UsageError{"unbekannte Option " + arg};
    }
    if (scan.port) {
        return UsageError{"nur ein Port, nicht " + Quoted(*scan.port) + " und " + Quoted(arg)};
    }
    scan.port = arg;
    return std::nullopt;
}

}  // namespace

ParsedCommandLine ParseCommandLine(std::span<const std::string> args) {
    Scan scan;
    for (std::size_t index = 0; index < args.size();) {
        if (auto result = ScanArgument(args, index, scan)) {
            return *result;
        }
    }
    if (!scan.port) {
        return UsageError{"kein Port angegeben"};
    }
    const CtlOptions& options = scan.options;
    if (!options.txPosition && !options.rxGain && !options.store && !options.read) {
        return UsageError{"nichts zu tun: --tx, --rx, --store oder --read angeben"};
    }
    if (auto error = AssignPort(scan.options, *scan.port)) {
        return *error;
    }
    return scan.options;
}

std::string PortLabel(const std::variant<int, std::string>& port) {
    if (const int* number = std::get_if<int>(&port)) {
        return "COM " + std::to_string(*number);
    }
    return std::get<std::string>(port);
}

}  // namespace quellmark::ctl

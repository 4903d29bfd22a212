#include "ctl_options.h"

#include <getopt.h>

#include <algorithm>

#include "decimal_text.h"
#include "gain_steps.h"
#include "network_address.h"
#include "port_list.h"

namespace quellmark::ctl {

namespace {

constexpr long long kMaxTimeoutMs = 3'600'000;

// What getopt_long returns for each option: its letter, or a code past every letter.
enum OptionCode : int {
    kChannel = 'c',
    kHelp = 'h',
    kTx = 256,
    kRx,
    kStore,
    kRead,
    kJson,
    kTimeout,
    kApply,
    kVersion,
};

constexpr option kLongOptions[] = {
    {"channel", required_argument, nullptr, kChannel},
    {"tx", required_argument, nullptr, kTx},
    {"rx", required_argument, nullptr, kRx},
    {"store", no_argument, nullptr, kStore},
    {"read", no_argument, nullptr, kRead},
    {"json", no_argument, nullptr, kJson},
    {"timeout", required_argument, nullptr, kTimeout},
    {"apply", required_argument, nullptr, kApply},
    {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};

// "-" first: every operand comes back in place as code 1, so that PORT may stand anywhere,
// also under POSIXLY_CORRECT. ":" next: a missing value is told apart from an unknown option.
constexpr char kShortOptions[] = "-:c:h";

// The command line as it is read, before the checks that need all of it.
struct Scan {
    CtlOptions options;
    std::vector<std::string> channels{"A"};
    bool channelsGiven = false;
    std::optional<int> txPosition;
    std::optional<int> rxGain;
    bool timeoutGiven = false;
    std::vector<std::string> operands;
};

std::string Quoted(std::string_view text) {
    std::string quoted(1, '"');
    quoted += text;
    return quoted += '"';
}

// The checked value into `into`; or, when the check refused it, the message.
template <typename Value>
std::optional<std::string> StoreChecked(std::variant<Value, std::string> checked,
                                        std::string_view text, std::optional<Value>& into) {
    if (const std::string* problem = std::get_if<std::string>(&checked)) {
        return Quoted(text) + " " + *problem;
    }
    into = std::get<Value>(checked);
    return std::nullopt;
}

std::optional<std::string> AssignTx(Scan& scan, std::string_view value) {
    const std::optional<DecimalText> number = ParseDecimalText(value);
    if (!number) {
        return Quoted(value) + " ist keine Zahl";
    }
    return StoreChecked(TxPositionFor(ScaledWhole(*number, 2)), value, scan.txPosition);
}

std::optional<std::string> AssignRx(Scan& scan, std::string_view value) {
    const std::optional<DecimalText> number = ParseDecimalText(value);
    if (!number) {
        return Quoted(value) + " ist keine Zahl";
    }
    return StoreChecked(RxGainFor(ScaledWhole(*number, 1)), value, scan.rxGain);
}

std::optional<std::string> AssignChannels(Scan& scan, std::string_view value) {
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
    scan.channels = std::move(channels);
    scan.channelsGiven = true;
    return std::nullopt;
}

std::optional<std::string> AssignTimeout(Scan& scan, std::string_view value) {
    const std::optional<DecimalText> number = ParseDecimalText(value);
    const std::optional<long long> ms = number ? ScaledWhole(*number, 1000) : std::nullopt;
    if (!ms || *ms <= 0 || *ms > kMaxTimeoutMs) {
        return Quoted(value) + " ist keine Zahl von Sekunden über 0 bis 3600 (auf ms genau)";
    }
    scan.options.timeout = std::chrono::milliseconds(*ms);
    scan.timeoutGiven = true;
    return std::nullopt;
}

std::optional<std::string> Assign(Scan& scan, int code, std::string_view value) {
    switch (code) {
        case kChannel:
            return AssignChannels(scan, value);
        case kTx:
            return AssignTx(scan, value);
        case kRx:
            return AssignRx(scan, value);
        case kTimeout:
            return AssignTimeout(scan, value);
        case kApply:
            scan.options.applyFile = value;
            return std::nullopt;
        case kStore:
            scan.options.store = true;
            return std::nullopt;
        case kRead:
            scan.options.read = true;
            return std::nullopt;
        case kJson:
            scan.options.json = true;
            return std::nullopt;
    }
    scan.operands.emplace_back(value);  // code 1
    return std::nullopt;
}

const option* OptionOf(int code) {
    const auto* found = std::find_if(std::begin(kLongOptions), std::end(kLongOptions) - 1,
                                     [code](const option& o) { return o.val == code; });
    return found == std::end(kLongOptions) - 1 ? nullptr : found;
}

// "--tx" as it was written, "-c" for the letter.
std::string OptionName(int code, bool writtenLong) {
    if (writtenLong || code > 0xFF) {
        return std::string("--") + OptionOf(code)->name;
    }
    return std::string{'-', char(code)};
}

// A long option written as `text` that is no option: unknown, or the start of several.
std::string UnknownLongOption(std::string_view text) {
    const std::string_view name = text.substr(0, text.find('='));
    if (name.size() <= 2) {
        return "unbekannte Option " + std::string(text);
    }
    std::string matches;
    for (const option* o = kLongOptions; o->name; ++o) {
        if (std::string_view(o->name).starts_with(name.substr(2))) {
            matches += (matches.empty() ? "" : ", ") + std::string("--") + o->name;
        }
    }
    if (matches.find(',') != std::string::npos) {
        return std::string(name) + " ist mehrdeutig: " + matches;
    }
    return "unbekannte Option " + std::string(name);
}

// What getopt_long refused, from what it left in optopt and optind. glibc and MinGW-w64 differ
// in the code for a value given to an option that takes none, so the code is not looked at.
std::string Refusal(char* const argv[]) {
    const std::string_view last = optind > 0 ? argv[optind - 1] : "";
    if (optopt == 0) {
        return UnknownLongOption(last);
    }
    const option* known = OptionOf(optopt);
    if (!known) {
        return "unbekannte Option " + OptionName(optopt, false);
    }
    const std::string name = OptionName(optopt, last.starts_with("--"));
    return name + (known->has_arg == no_argument ? " nimmt keinen Wert" : " braucht einen Wert");
}

// A port number when the text is all digits; any other text names a device, unless it is a
// network address that cannot be used.
std::optional<UsageError> AssignPort(CtlOptions& options, const std::string& text) {
    const std::optional<DecimalText> number =
        text.find_first_of("-.,") == std::string::npos ? ParseDecimalText(text) : std::nullopt;
    if (!number) {
        const DeviceAddress address = ParseDeviceAddress(text);
        if (const auto* refused = std::get_if<RefusedAddress>(&address)) {
            return UsageError{refused->reason};
        }
        options.port = text;
    } else if (number->whole < 1 || number->whole > kPortCount) {
        return UsageError{"Port " + text + " gibt es nicht: 1 bis 10 oder ein Gerät angeben"};
    } else {
        options.port = int(number->whole);
    }
    return std::nullopt;
}

// The checks that need the whole command line.
ParsedCommandLine Complete(Scan& scan) {
    CtlOptions& options = scan.options;
    if (scan.operands.empty()) {
        return UsageError{"kein Port angegeben"};
    }
    if (scan.operands.size() > 1) {
        return UsageError{"nur ein Port, nicht " + Quoted(scan.operands[0]) + " und " +
                          Quoted(scan.operands[1])};
    }
    if (options.applyFile && (scan.channelsGiven || scan.txPosition || scan.rxGain)) {
        return UsageError{
            "--apply nimmt Kanäle und Werte aus der Datei: nicht zusammen mit -c, --tx oder --rx"};
    }
    if (!options.read && (options.json || scan.timeoutGiven)) {
        return UsageError{std::string(options.json ? "--json" : "--timeout") +
                          " gilt nur zusammen mit --read"};
    }
    if (!scan.txPosition && !scan.rxGain && !options.store && !options.read && !options.applyFile) {
        return UsageError{"nichts zu tun: --tx, --rx, --apply, --store oder --read angeben"};
    }
    if (auto error = AssignPort(options, scan.operands[0])) {
        return *error;
    }
    options.settings.clear();
    for (const std::string& channel : scan.channels) {
        options.settings.push_back({channel, scan.txPosition, scan.rxGain});
    }
    return options;
}

// getopt_long keeps its place, also inside an argument, in static state: at optind 0 both glibc
// and the BSD code of MinGW-w64 drop it and start afresh.
void RestartGetopt() {
    optind = 0;
    opterr = 0;  // the messages are ours, in German
}

}  // namespace

ParsedCommandLine ParseCommandLine(std::span<const std::string> args) {
    std::vector<std::string> texts{"quellmark-ctl"};
    texts.insert(texts.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);
    const int argc = int(texts.size());

    RestartGetopt();
    Scan scan;
    for (int index = -1, code;
         (code = getopt_long(argc, argv.data(), kShortOptions, kLongOptions, &index)) != -1;
         index = -1) {
        if (code == kHelp) {
            return InfoRequest::Help;
        }
        if (code == kVersion) {
            return InfoRequest::Version;
        }
        if (code == '?' || code == ':') {
            return UsageError{Refusal(argv.data())};
        }
        if (const auto problem = Assign(scan, code, optarg ? optarg : "")) {
            return UsageError{OptionName(code, index >= 0) + ": " + *problem};
        }
    }
    // What follows "--" is operands only.
    for (int rest = optind; rest < argc; ++rest) {
        scan.operands.emplace_back(argv[std::size_t(rest)]);
    }
    return Complete(scan);
}

std::string PortLabel(const std::variant<int, std::string>& port) {
    if (const int* number = std::get_if<int>(&port)) {
        return "COM " + std::to_string(*number);
    }
    return std::get<std::string>(port);
}

}  // namespace quellmark::ctl

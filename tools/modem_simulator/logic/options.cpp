#include "options.h"

#include <getopt.h>

#include <charconv>
#include <functional>
#include <map>
#include <ranges>
#include <vector>

namespace quellmark::modem_sim {

namespace {

constexpr long long kMaxGain = 255;
constexpr long long kMaxDelayMs = 600'000;
constexpr long long kMaxSeed = 0xFFFF'FFFF;
constexpr long long kMaxLines = 1'000'000;
constexpr long long kMaxBaud = 4'000'000;

std::optional<long long> ParseNumber(std::string_view text, long long min, long long max) {
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size() || value < min ||
        value > max) {
        return std::nullopt;
    }
    return value;
}

using Setter = std::function<bool(Options&, std::string_view)>;

Setter Number(long long max, std::function<void(Options&, long long)> assign, long long min = 0) {
    return [min, max, assign](Options& options, std::string_view text) {
        const std::optional<long long> value = ParseNumber(text, min, max);
        if (value) {
            assign(options, *value);
        }
        return value.has_value();
    };
}

Setter Text(std::string Options::*field) {
    return [field](Options& options, std::string_view text) {
        options.*field = text;
        return !text.empty();
    };
}

const std::map<std::string_view, Setter, std::less<>>& ValueOptions() {
    static const std::map<std::string_view, Setter, std::less<>> options{
        {"--tx",
         Number(kMaxGain, [](Options& o, long long v) { o.initial.tx = static_cast<int>(v); })},
        {"--rx",
         Number(kMaxGain, [](Options& o, long long v) { o.initial.rx = static_cast<int>(v); })},
        {"--delay-ms",
         Number(kMaxDelayMs, [](Options& o, long long v) { o.delay_ms = static_cast<int>(v); })},
        {"--seed",
         Number(kMaxSeed, [](Options& o, long long v) { o.seed = static_cast<std::uint32_t>(v); })},
        {"--hangup-after",
         Number(
             kMaxLines, [](Options& o, long long v) { o.hangup_after = int(v); }, 1)},
        {"--pace", Number(kMaxBaud, [](Options& o, long long v) { o.pace_baud = int(v); })},
        {"--log", Text(&Options::log_path)},
        {"--settings", Text(&Options::settings_path)},
        {"--link", Text(&Options::link_path)},
        {"--silent-channel", Text(&Options::silent_channel)},
    };
    return options;
}

const std::map<std::string_view, bool Options::*, std::less<>>& FlagOptions() {
    static const std::map<std::string_view, bool Options::*, std::less<>> flags{
        {"--chunks", &Options::chunks}, {"--lf", &Options::lf_only}, {"--noise", &Options::noise},
        {"--silent", &Options::silent}, {"--help", &Options::help},
    };
    return flags;
}

// Every option for getopt_long, which reports the index of the one it found.
std::vector<option> LongOptions() {
    std::vector<option> all;
    for (const auto& name : std::views::keys(ValueOptions())) {
        all.push_back({name.substr(2).data(), required_argument, nullptr, 0});
    }
    for (const auto& name : std::views::keys(FlagOptions())) {
        all.push_back({name.substr(2).data(), no_argument, nullptr, 0});
    }
    all.push_back({});
    return all;
}

// What getopt_long stopped at: a short option, or the argument that held the long one.
std::string Offending(char* const argv[]) {
    return optopt != 0 ? std::string{'-', char(optopt)} : std::string(argv[optind - 1]);
}

}  // namespace

std::variant<Options, std::string> ParseOptions(int argc, char* const argv[]) {
    const std::vector<option> longOptions = LongOptions();
    Options options;
    // Messages are ours; "+" stops at the first operand, ":" reports a missing value apart.
    opterr = 0;
    optind = 0;  // starts afresh, also on a second call
    int index = 0;
    for (int found; (found = getopt_long(argc, argv, "+:", longOptions.data(), &index)) != -1;) {
        if (found == '?') {
            return "unknown option: " + Offending(argv);
        }
        if (found == ':') {
            return "missing value for " + Offending(argv);
        }
        const std::string name = std::string("--") + longOptions[std::size_t(index)].name;
        if (const auto flag = FlagOptions().find(name); flag != FlagOptions().end()) {
            options.*(flag->second) = true;
        } else if (!ValueOptions().at(name)(options, optarg)) {
            return "bad value for " + name + ": " + optarg;
        }
    }
    if (optind < argc) {
        return "unknown option: " + std::string(argv[optind]);
    }
    return options;
}

std::string_view UsageText() {
    return R"(Usage: quellmark-modem-sim [options]
Acts as a GSM modem on a new pseudo-terminal. The first line on stdout is the
path of the terminal's device end; open it as the modem's serial line.

Options:
  --tx N          transmit gain every channel starts with (0..255, default 0)
  --rx N          receive gain every channel starts with (0..255, default 48)
  --link PATH     also make PATH a symlink to the device (removed on exit)
  --log PATH      append every command line received, byte for byte, to PATH
  --settings PATH when the first command line comes, write the line settings
                  of the device end to PATH: "9600 8N1" (the speed told only
                  as 9600 or not-9600), with " flow" if flow control is on
  --delay-ms N    wait N milliseconds before each answer
  --chunks        send answers in small random pieces with short pauses
  --seed N        seed for the random choices of --chunks and --noise
  --lf            end reply lines with LF alone instead of CR LF
  --noise         send unsolicited lines and junk between answers
  --silent        answer nothing, as a device that is on but does not listen
  --silent-channel NAME
                  answer nothing for the channel NAME
  --hangup-after N
                  close the line after the Nth command line, as a pulled
                  adapter does, and end
  --pace BAUD     take the bytes sent to the modem no faster than a line at
                  BAUD (8N1) carries them: writers wait; 0 takes none at all
  --help          show this text
)";
}

}  // namespace quellmark::modem_sim

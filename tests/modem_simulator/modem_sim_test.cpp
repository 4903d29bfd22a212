#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "options.h"
#include "responder.h"

namespace quellmark::modem_sim {
namespace {

using Answers = std::vector<std::string>;

// What a simulator started with `options` answers to `commands`, each answer's pieces joined; or
// why it refuses the options.
std::variant<Answers, std::string> AnswersTo(std::vector<std::string> options,
                                             const std::string& commands) {
    options.insert(options.begin(), "quellmark-modem-sim");
    std::vector<char*> argv;
    for (std::string& option : options) {
        argv.push_back(option.data());
    }
    const auto parsed = ParseOptions(int(argv.size()), argv.data());
    if (const auto* refusal = std::get_if<std::string>(&parsed)) {
        return *refusal;
    }
    Responder responder(std::get<Options>(parsed), 1);
    Answers answers;
    for (const Exchange& exchange : responder.Feed(commands)) {
        answers.push_back(
            std::accumulate(exchange.pieces.begin(), exchange.pieces.end(), std::string()));
    }
    return answers;
}

// The answer to a query: both gains after "gsm+ " and the channel, padded or cut to 20 columns.
std::string Reply(const std::string& channel, int rx, int tx, const std::string& end = "\r\n") {
    std::string lead = "gsm+ " + channel;
    lead.resize(20, ' ');
    return lead + "+VGR: " + std::to_string(rx) + end + lead + "+VGT: " + std::to_string(tx) + end +
           "OK" + end;
}

// Gains are kept per channel, every channel starts from --tx and --rx, and a rejected command
// changes nothing; each option does what the help says, and a value out of range is refused with
// the option's name.
TEST(ModemSimTest, AnswersFollowTheCommandsAndTheOptions) {
    const std::string ok = "OK\r\n", error = "ERROR\r\n";
    const std::string queries = "gsm+ A at+vgr?;+vgt?\rgsm+ B AT+VGR?;+VGT?\r";
    const std::tuple<std::vector<std::string>, std::string, std::variant<Answers, std::string>>
        cases[] = {
            {{},
             "gsm+ A at+vgt=100\rgsm+ A at+vgr=16\rgsm+ A at+vgt=256\rgsm+ A at+vgr=-1\r"
             "gsm+ at&w\rgsm+ A at+cops?\r" +
                 queries + "gsm+ a channel longer than fifteen at+vgr?;+vgt?\r",
             Answers{ok, ok, error, error, error, error, Reply("A", 16, 100), Reply("B", 48, 0),
                     Reply("a channel longer than fifteen", 48, 0)}},
            {{"--lf"}, queries, Answers{Reply("A", 48, 0, "\n"), Reply("B", 48, 0, "\n")}},
            {{"--tx", "255", "--rx=255"},
             queries,
             Answers{Reply("A", 255, 255), Reply("B", 255, 255)}},
            {{"--silent"}, queries, Answers{"", ""}},
            {{"--silent-channel", "B", "--chunks"}, queries, Answers{Reply("A", 48, 0), ""}},
            {{"--tx", "256"}, "", "bad value for --tx: 256"},
            {{"--rx", "256"}, "", "bad value for --rx: 256"},
            {{"--hangup-after", "0"}, "", "bad value for --hangup-after: 0"},
            {{"--pace", "-1"}, "", "bad value for --pace: -1"},
            {{"--delay-ms"}, "", "missing value for --delay-ms"},
            {{"--rx", "1", "A"}, "", "unknown option: A"},
        };
    for (const auto& [options, commands, expected] : cases) {
        EXPECT_EQ(AnswersTo(options, commands), expected) << (options.empty() ? "" : options[0]);
    }
}

}  // namespace
}  // namespace quellmark::modem_sim

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <variant>
#include <vector>

#include "options.h"
#include "responder.h"

namespace quellmark::modem_sim {
namespace {

// One simulator, fed one command after another: gains are kept per channel, every channel starts
// from --tx 0 and --rx 48, the tag stands in column 21 whatever the channel's length, and a
// rejected command changes nothing.
TEST(ModemTest, AnswersEachCommandPerChannel) {
    const struct {
        const char* command;
        const char* answer;
    } exchanges[] = {
        {"gsm+ A at+vgt=100", "OK\r\n"},
        {"gsm+ A at+vgr=16", "OK\r\n"},
        {"gsm+ A at+vgr?;+vgt?",
         "gsm+ A              +VGR: 16\r\ngsm+ A              +VGT: 100\r\nOK\r\n"},
        {"gsm+ B AT+VGR?;+VGT?",
         "gsm+ B              +VGR: 48\r\ngsm+ B              +VGT: 0\r\nOK\r\n"},
        {"gsm+ a channel longer than fifteen at+vgr?;+vgt?",
         "gsm+ a channel longe+VGR: 48\r\ngsm+ a channel longe+VGT: 0\r\nOK\r\n"},
        {"gsm+ A at+vgt=256", "ERROR\r\n"},
        {"gsm+ A at+vgr=-1", "ERROR\r\n"},
        {"gsm+ at&w", "ERROR\r\n"},
        {"gsm+ A at+cops?", "ERROR\r\n"},
        {"gsm+ A at+vgr?;+vgt?",
         "gsm+ A              +VGR: 16\r\ngsm+ A              +VGT: 100\r\nOK\r\n"},
    };
    Responder responder(Options{}, 1);
    for (const auto& [command, answer] : exchanges) {
        const std::vector<Exchange> answered = responder.Feed(std::string(command) + "\r");
        ASSERT_EQ(answered.size(), 1u) << command;
        EXPECT_EQ(answered[0].pieces, std::vector<std::string>{answer}) << command;
    }
}

using Answers = std::vector<std::string>;

// The answers to a query for channel A and one for B, each with its pieces joined; or why the
// simulator refuses `args`.
std::variant<Answers, std::string> QueryAnswers(std::vector<std::string> args) {
    args.insert(args.begin(), "quellmark-modem-sim");
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    const auto options = ParseOptions(int(argv.size()), argv.data());
    if (const auto* refusal = std::get_if<std::string>(&options)) {
        return *refusal;
    }
    Responder responder(std::get<Options>(options), 1);
    Answers answers;
    for (const Exchange& exchange :
         responder.Feed("gsm+ A at+vgr?;+vgt?\rgsm+ B at+vgr?;+vgt?\r")) {
        answers.push_back(
            std::accumulate(exchange.pieces.begin(), exchange.pieces.end(), std::string()));
    }
    return answers;
}

// Every option that changes the answers does what the help says, and a value out of range is
// refused with the option's name.
TEST(OptionsTest, AnswersFollowTheOptionsAndBadValuesAreRefused) {
    const auto reply = [](char channel, int rx, int tx, const std::string& end = "\r\n") {
        const std::string lead = std::string("gsm+ ") + channel + std::string(14, ' ');
        return lead + "+VGR: " + std::to_string(rx) + end + lead + "+VGT: " + std::to_string(tx) +
               end + "OK" + end;
    };
    const std::pair<std::vector<std::string>, std::variant<Answers, std::string>> cases[] = {
        {{}, Answers{reply('A', 48, 0), reply('B', 48, 0)}},
        {{"--lf"}, Answers{reply('A', 48, 0, "\n"), reply('B', 48, 0, "\n")}},
        {{"--tx", "255", "--rx=255"}, Answers{reply('A', 255, 255), reply('B', 255, 255)}},
        {{"--tx", "256"}, "bad value for --tx: 256"},
        {{"--rx", "256"}, "bad value for --rx: 256"},
        {{"--silent"}, Answers{"", ""}},
        {{"--silent-channel", "B", "--chunks"}, Answers{reply('A', 48, 0), ""}},
        {{"--hangup-after", "0"}, "bad value for --hangup-after: 0"},
        {{"--pace", "-1"}, "bad value for --pace: -1"},
        {{"--delay-ms"}, "missing value for --delay-ms"},
        {{"--rx", "1", "A"}, "unknown option: A"},
    };
    for (const auto& [args, expected] : cases) {
        EXPECT_EQ(QueryAnswers(args), expected) << (args.empty() ? "" : args[0]);
    }
}

}  // namespace
}  // namespace quellmark::modem_sim

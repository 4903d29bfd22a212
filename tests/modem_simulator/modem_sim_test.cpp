#include <gtest/gtest.h>

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

// The arguments after the program's name, as a shell hands them over.
std::variant<Options, std::string> Parse(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "quellmark-modem-sim");
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    return ParseOptions(int(argv.size()), argv.data());
}

// Values that parse are exercised by the end-to-end tests, which start the simulator with them.
TEST(OptionsTest, ReportsWhatIsWrong) {
    const std::pair<std::vector<std::string>, std::string> errors[] = {
        {{"--tx", "256"}, "bad value for --tx: 256"},
        {{"--delay-ms", "-1"}, "bad value for --delay-ms: -1"},
        {{"--log", ""}, "bad value for --log: "},
        {{"--chunks", "--seed"}, "missing value for --seed"},
        {{"--colour"}, "unknown option: --colour"},
        {{"-x"}, "unknown option: -x"},
        {{"--noise", "modem"}, "unknown option: modem"},
    };
    for (const auto& [arguments, message] : errors) {
        const auto parsed = Parse(arguments);
        const auto* error = std::get_if<std::string>(&parsed);
        EXPECT_EQ(error ? *error : "no error", message);
    }
}

}  // namespace
}  // namespace quellmark::modem_sim

#include <gtest/gtest.h>

#include <string>
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

}  // namespace
}  // namespace quellmark::modem_sim

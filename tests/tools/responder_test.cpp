#include "responder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quellmark::modem_sim {
namespace {

std::string AnswerTo(Responder& responder, std::string_view bytes) {
    std::string answer;
    for (const Exchange& exchange : responder.Feed(bytes)) {
        for (const std::string& piece : exchange.pieces) {
            answer += piece;
        }
    }
    return answer;
}

std::string Query(std::string_view channel) {
    return "gsm+ " + std::string(channel) + " at+vgr?;+vgt?\r";
}

struct Case {
    const char* name;
    std::string sent;
    std::string answer;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class ResponderAnswers : public testing::TestWithParam<Case> {};

TEST_P(ResponderAnswers, ExactBytes) {
    Responder responder(Options{}, 1);
    EXPECT_EQ(AnswerTo(responder, GetParam().sent), GetParam().answer);
}

const std::string kDefaultGains = "+VGR: 48\r\ngsm+ A              +VGT: 0\r\nOK\r\n";

INSTANTIATE_TEST_SUITE_P(
    Commands, ResponderAnswers,
    testing::Values(Case{"Query", Query("A"), "gsm+ A              " + kDefaultGains},
                    Case{"QueryInCapitals", "GSM+ A AT+VGR?;+VGT?\r",
                         "gsm+ A              " + kDefaultGains},
                    Case{"QueryWithStrayLineFeeds", "\ngsm+ A at+vgr?;\n+vgt?\n\r",
                         "gsm+ A              " + kDefaultGains},
                    Case{"EmptyChannel", Query(""),
                         "gsm+                +VGR: 48\r\ngsm+                +VGT: 0\r\nOK\r\n"},
                    Case{"ChannelWithSpacesAndAt", Query("cat at 2"),
                         "gsm+ cat at 2       +VGR: 48\r\ngsm+ cat at 2       +VGT: 0\r\nOK\r\n"},
                    Case{"LongChannelCutToTwentyColumns", Query("a very long channel"),
                         "gsm+ a very long cha+VGR: 48\r\ngsm+ a very long cha+VGT: 0\r\nOK\r\n"},
                    Case{"SetTx", "gsm+ A at+vgt=12\r", "OK\r\n"},
                    Case{"SetRxHighest", "gsm+ A at+vgr=255\r", "OK\r\n"},
                    Case{"SetWithLeadingZero", "gsm+ A at+vgt=007\r", "OK\r\n"},
                    Case{"Store", "gsm+ A at&w\r", "OK\r\n"},
                    Case{"SetAboveRange", "gsm+ A at+vgr=256\r", "ERROR\r\n"},
                    Case{"SetNegative", "gsm+ A at+vgt=-1\r", "ERROR\r\n"},
                    Case{"SetWithoutValue", "gsm+ A at+vgt=\r", "ERROR\r\n"},
                    Case{"SetWithTrailingText", "gsm+ A at+vgt=5x\r", "ERROR\r\n"},
                    Case{"SetHugeNumber", "gsm+ A at+vgt=99999999999999999999\r", "ERROR\r\n"},
                    Case{"UnknownCommand", "gsm+ A at+cgmi\r", "ERROR\r\n"},
                    Case{"NoSeparatorAfterPrefix", "gsm+ at+vgr?;+vgt?\r", "ERROR\r\n"},
                    Case{"NoPrefix", "A at+vgr?;+vgt?\r", "ERROR\r\n"},
                    Case{"EmptyLine", "\r", "ERROR\r\n"},
                    Case{"UnfinishedLine", "gsm+ A at&w", ""}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(Responder, KeepsGainsPerChannelFromTheStartValues) {
    Options options;
    options.initial = {.tx = 5, .rx = 9};
    Responder responder(options, 1);
    AnswerTo(responder, "gsm+ A at+vgt=100\rgsm+ B at+vgr=200\rgsm+ A at+vgt=300\r");

    EXPECT_EQ(AnswerTo(responder, Query("A")),
              "gsm+ A              +VGR: 9\r\ngsm+ A              +VGT: 100\r\nOK\r\n");
    EXPECT_EQ(AnswerTo(responder, Query("B")),
              "gsm+ B              +VGR: 200\r\ngsm+ B              +VGT: 5\r\nOK\r\n");
    EXPECT_EQ(AnswerTo(responder, Query("")),
              "gsm+                +VGR: 9\r\ngsm+                +VGT: 5\r\nOK\r\n");
}

TEST(Responder, EndsLinesWithLineFeedAloneWhenAsked) {
    Options options;
    options.lf_only = true;
    Responder responder(options, 1);
    EXPECT_EQ(AnswerTo(responder, Query("A") + "gsm+ A at+x\r"),
              "gsm+ A              +VGR: 48\ngsm+ A              +VGT: 0\nOK\nERROR\n");
}

TEST(Responder, ReportsReceivedLinesByteForByteAcrossReads) {
    Responder responder(Options{}, 1);
    EXPECT_TRUE(responder.Feed("gsm+ A\n at").empty());
    const std::vector<Exchange> exchanges = responder.Feed("&w\r\rgsm+ B at&w\r");

    ASSERT_EQ(exchanges.size(), 3u);
    EXPECT_EQ(exchanges[0].received, "gsm+ A\n at&w\r");
    EXPECT_EQ(exchanges[0].pieces, std::vector<std::string>{"OK\r\n"});
    EXPECT_EQ(exchanges[1].received, "\r");
    EXPECT_EQ(exchanges[2].received, "gsm+ B at&w\r");
}

TEST(Responder, RejectsAnOverlongLineAndRecovers) {
    Responder responder(Options{}, 1);
    // Cut to the cap, this would still read as a valid command.
    const std::string overlong = "gsm+ A at+vgt=" + std::string(LineAssembler::kCapacity, '0');
    const std::vector<Exchange> exchanges = responder.Feed(overlong + "\rgsm+ A at&w\r");

    ASSERT_EQ(exchanges.size(), 2u);
    EXPECT_EQ(exchanges[0].received.size(), LineAssembler::kCapacity + 1);
    EXPECT_EQ(exchanges[0].pieces, std::vector<std::string>{"ERROR\r\n"});
    EXPECT_EQ(exchanges[1].pieces, std::vector<std::string>{"OK\r\n"});
}

}  // namespace
}  // namespace quellmark::modem_sim

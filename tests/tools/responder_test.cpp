#include "responder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quellmark::modem_sim {
namespace {

// Everything answered to `sent`, fed one read at a time.
std::string AnswerTo(Responder& responder, const std::vector<std::string>& sent) {
    std::string answer;
    for (const std::string& bytes : sent) {
        for (const Exchange& exchange : responder.Feed(bytes)) {
            for (const std::string& piece : exchange.pieces) {
                answer += piece;
            }
        }
    }
    return answer;
}

const std::string kQuery = "gsm+ A at+vgr?;+vgt?\r";
const std::string kAnswer = "gsm+ A              +VGR: 48\r\ngsm+ A              +VGT: 0\r\nOK\r\n";

struct Case {
    const char* what;
    std::vector<std::string> sent;
    std::string answer;
    Gains initial = {};
    bool lf_only = false;
};

TEST(Responder, AnswersEachCommandWithExactBytes) {
    const std::string overlong = "gsm+ A at+vgt=" + std::string(LineAssembler::kCapacity, '0');
    const Case cases[] = {
        {"capitals, stray LFs", {"\nGSM+ A AT+VGR?;\n+VGT?\n\r"}, kAnswer},
        {"split, last unfinished", {"gsm+ A at+v", "gr?;+vgt?\r", "gsm+ A at&w"}, kAnswer},
        {"gains kept per channel from the start values",
         {"gsm+ A at+vgt=100\rgsm+ B at+vgr=255\rgsm+ A at+vgt=007\rgsm+ A at&w\r",
          "gsm+ B at+vgr?;+vgt?\r", kQuery, "gsm+  at+vgr?;+vgt?\r"},
         "OK\r\nOK\r\nOK\r\nOK\r\ngsm+ B              +VGR: 255\r\ngsm+ B              +VGT: 5\r\n"
         "OK\r\ngsm+ A              +VGR: 9\r\ngsm+ A              +VGT: 7\r\nOK\r\n"
         "gsm+                +VGR: 9\r\ngsm+                +VGT: 5\r\nOK\r\n",
         {.tx = 5, .rx = 9}},
        {"bad commands leave gains alone",
         {"gsm+ A at+vgr=256\rgsm+ A at+vgt=-1\rgsm+ A at+vgt=\rgsm+ A at+vgt=5x\r",
          "gsm+ A at+cgmi\rgsm+ at+vgr?;+vgt?\rA at&w\r\r", overlong + "\r", kQuery},
         "ERROR\r\nERROR\r\nERROR\r\nERROR\r\nERROR\r\nERROR\r\nERROR\r\nERROR\r\nERROR\r\n" +
             kAnswer},
        {"LF-only line ends, long channel cut to fit",
         {"gsm+ a very long channel at+vgr?;+vgt?\r", "gsm+ A at+x\r"},
         "gsm+ a very long cha+VGR: 48\ngsm+ a very long cha+VGT: 0\nOK\nERROR\n",
         {},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Options options;
        options.initial = c.initial;
        options.lf_only = c.lf_only;
        Responder responder(options, 1);
        EXPECT_EQ(AnswerTo(responder, c.sent), c.answer);
    }
}

// Led by noise lines and cut into pieces, the answer still ends in the same reply lines, and the
// noise never looks like a gain reply.
TEST(Responder, ChunkedNoisyAnswerCarriesTheSameReplyLines) {
    Options options;
    options.chunks = options.noise = true;
    for (std::uint32_t seed = 0; seed < 100; ++seed) {
        Responder responder(options, seed);
        const std::string answer = AnswerTo(responder, {kQuery});
        ASSERT_TRUE(answer.ends_with("\r\n" + kAnswer)) << answer;
        EXPECT_EQ(answer.find("+VG"), answer.size() - kAnswer.size() + 20) << answer;
    }
}

}  // namespace
}  // namespace quellmark::modem_sim

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "responder.h"

namespace quellmark::modem_sim {
namespace {

const std::string kQuery = "gsm+ A at+vgr?;+vgt?\r";
const std::string kCleanAnswer =
    "gsm+ A              +VGR: 48\r\ngsm+ A              +VGT: 0\r\nOK\r\n";

std::vector<std::string> PiecesFor(const Options& options, std::uint32_t seed) {
    Responder responder(options, seed);
    return responder.Feed(kQuery).at(0).pieces;
}

std::string Joined(const std::vector<std::string>& pieces) {
    std::string bytes;
    for (const std::string& piece : pieces) {
        bytes += piece;
    }
    return bytes;
}

TEST(ReplyVariation, ChunksAreSmallAndAddUpToTheAnswer) {
    Options options;
    options.chunks = true;
    for (std::uint32_t seed = 0; seed < 50; ++seed) {
        const std::vector<std::string> pieces = PiecesFor(options, seed);
        EXPECT_GT(pieces.size(), kCleanAnswer.size() / Responder::kMaxChunk);
        for (const std::string& piece : pieces) {
            EXPECT_GE(piece.size(), 1u);
            EXPECT_LE(piece.size(), Responder::kMaxChunk);
        }
        EXPECT_EQ(Joined(pieces), kCleanAnswer);
    }
}

// The program reads a gain from any line with "+VGR" or "+VGT" in columns 21 to 24.
bool LooksLikeGainReply(const std::string& line) {
    return line.size() >= 24 && (line.substr(20, 4) == "+VGR" || line.substr(20, 4) == "+VGT");
}

TEST(ReplyVariation, NoiseGoesAheadOfTheAnswerAndNeverReadsAsAGain) {
    Options options;
    options.noise = true;
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        const std::string answer = Joined(PiecesFor(options, seed));
        ASSERT_TRUE(answer.ends_with(kCleanAnswer)) << answer;
        const std::string noise = answer.substr(0, answer.size() - kCleanAnswer.size());
        ASSERT_TRUE(noise.ends_with("\r\n")) << noise;

        int lines = 0;
        for (std::size_t start = 0, end; start < noise.size(); start = end + 2, ++lines) {
            end = noise.find("\r\n", start);
            EXPECT_FALSE(LooksLikeGainReply(noise.substr(start, end - start))) << noise;
        }
        EXPECT_GE(lines, 1);
        EXPECT_LE(lines, 2);
    }
}

TEST(ReplyVariation, SameSeedGivesSameBytesAndLineFeedModeHasNoCarriageReturns) {
    Options options;
    options.noise = true;
    options.chunks = true;
    options.lf_only = true;
    const std::vector<std::string> pieces = PiecesFor(options, 42);
    EXPECT_EQ(PiecesFor(options, 42), pieces);
    EXPECT_EQ(Joined(pieces).find('\r'), std::string::npos);
}

}  // namespace
}  // namespace quellmark::modem_sim

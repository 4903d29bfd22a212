#include "responder.h"

#include "chunks.h"

namespace quellmark::modem_sim {

Responder::Responder(const Options& options, std::uint32_t seed)
    : modem_(options.initial),
      style_{options.lf_only, options.noise},
      chunks_(options.chunks),
      random_(seed) {}

std::vector<Exchange> Responder::Feed(std::string_view bytes) {
    std::vector<Exchange> exchanges;
    for (const char c : bytes) {
        if (const std::optional<ReceivedLine> line = assembler_.Add(c)) {
            exchanges.push_back(Answer(*line));
        }
    }
    return exchanges;
}

Exchange Responder::Answer(const ReceivedLine& line) {
    const std::string answer = RenderAnswer(modem_.Execute(line.text), style_, random_);
    if (!chunks_) {
        return {line.raw, {answer}};
    }
    return {line.raw, SplitIntoChunks(answer, kMaxChunk, random_)};
}

}  // namespace quellmark::modem_sim

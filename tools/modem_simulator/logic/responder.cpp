#include "responder.h"

#include "chunks.h"
#include "wire_command.h"

namespace quellmark::modem_sim {

Responder::Responder(const Options& options, std::uint32_t seed)
    : modem_(options.initial),
      style_{options.lf_only, options.noise},
      chunks_(options.chunks),
      silent_(options.silent),
      silentChannel_(options.silent_channel),
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

bool Responder::KeepsSilent(std::string_view command) const {
    if (silent_) {
        return true;
    }
    const std::optional<WireCommand> parsed = ParseWireCommand(command);
    return !silentChannel_.empty() && parsed && parsed->channel == silentChannel_;
}

Exchange Responder::Answer(const ReceivedLine& line) {
    // What a silent modem is told still changes its gains.
    const std::vector<std::string> lines = modem_.Execute(line.text);
    if (KeepsSilent(line.text)) {
        return {line.raw, {}};
    }
    const std::string answer = RenderAnswer(lines, style_, random_);
    if (!chunks_) {
        return {line.raw, {answer}};
    }
    return {line.raw, SplitIntoChunks(answer, kMaxChunk, random_)};
}

}  // namespace quellmark::modem_sim

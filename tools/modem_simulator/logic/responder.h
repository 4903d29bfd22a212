#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "line_assembler.h"
#include "modem.h"
#include "options.h"
#include "reply_render.h"

namespace quellmark::modem_sim {

// One command line received and the answer to it, cut into the pieces to write separately; no
// pieces when the modem keeps silent.
struct Exchange {
    std::string received;
    std::vector<std::string> pieces;
};

// Everything the simulator does with the bytes it receives, short of reading and writing them.
class Responder {
public:
    static constexpr std::size_t kMaxChunk = 7;

    Responder(const Options& options, std::uint32_t seed);

    std::vector<Exchange> Feed(std::string_view bytes);

private:
    Exchange Answer(const ReceivedLine& line);
    bool KeepsSilent(std::string_view command) const;

    LineAssembler assembler_;
    Modem modem_;
    ReplyStyle style_;
    bool chunks_;
    bool silent_;
    std::string silentChannel_;
    std::mt19937 random_;
};

}  // namespace quellmark::modem_sim

#include "line_assembler.h"

#include <utility>

namespace quellmark::modem_sim {

std::optional<ReceivedLine> LineAssembler::Add(char c) {
    if (c == '\r') {
        line_.raw += c;
        if (overflowed_) {
            line_.text.clear();
        }
        overflowed_ = false;
        return std::exchange(line_, {});
    }
    if (line_.raw.size() >= kCapacity) {
        overflowed_ = true;
        return std::nullopt;
    }
    line_.raw += c;
    if (c != '\n') {
        line_.text += c;
    }
    return std::nullopt;
}

}  // namespace quellmark::modem_sim

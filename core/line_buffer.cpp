#include "line_buffer.h"

namespace quellmark {

namespace {

// Shorter lines ("OK", a stray echo) can never be a reply; dropping them keeps the next line's
// columns where they belong.
constexpr std::size_t kMinLineLength = 3;

bool IsTerminator(char c) {
    return c == '\r' || c == '\n';
}

}  // namespace

std::optional<std::string> LineBuffer::Add(char c) {
    if (!IsTerminator(c)) {
        if (overflowed_) {
            return std::nullopt;
        }
        if (text_.size() == kCapacity) {
            text_.clear();
            overflowed_ = true;
            return std::nullopt;
        }
        text_.push_back(c);
        return std::nullopt;
    }
    if (overflowed_) {
        overflowed_ = false;
        return std::nullopt;
    }
    std::string line;
    line.swap(text_);
    if (line.size() < kMinLineLength) {
        return std::nullopt;
    }
    return line;
}

void LineBuffer::Clear() {
    text_.clear();
    overflowed_ = false;
}

}  // namespace quellmark

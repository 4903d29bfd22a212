#include "line_buffer.h"

namespace quellmark {

namespace {

// Shorter lines ("OK", a stray echo) can never be a reply; dropping them keeps the next line's
// columns where they belong.
constexpr std::size_t kMinLineLength = 3;

}  // namespace

bool LineBuffer::EndLine() {
    const bool complete = !overflowed_ && text_.size() >= kMinLineLength;
    overflowed_ = false;
    line_.swap(text_);
    text_.clear();
    return complete;
}

void LineBuffer::Clear() {
    text_.clear();
    overflowed_ = false;
}

}  // namespace quellmark

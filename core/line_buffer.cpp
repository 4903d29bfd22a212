#include "line_buffer.h"

namespace quellmark {

bool LineBuffer::EndLine() {
    const bool complete = !overflowed_;
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

#pragma once

#include <cstddef>
#include <string>

namespace quellmark {

// Assembles received characters into lines ended by CR or LF. Each line is complete in itself, so a
// short one ("OK", the empty line between CR and LF) needs no special case: it carries no reply. A
// line that grows past the cap is dropped up to its next terminator, so memory stays bounded
// whatever the device sends.
class LineBuffer {
public:
    static constexpr std::size_t kCapacity = 4096;

    // True when c ends a line that was kept whole; Line() holds it until the next line ends.
    // Runs for every received byte, so the common case is kept inline.
    bool Add(char c) {
        if (c == '\r' || c == '\n') {
            return EndLine();
        }
        if (text_.size() < kCapacity) {
            text_.push_back(c);
        } else {
            text_.clear();
            overflowed_ = true;
        }
        return false;
    }
    const std::string& Line() const { return line_; }
    void Clear();
    std::size_t Size() const { return text_.size(); }

private:
    bool EndLine();

    std::string text_;
    std::string line_;
    bool overflowed_ = false;
};

}  // namespace quellmark

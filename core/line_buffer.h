#pragma once

#include <cstddef>
#include <string>

namespace quellmark {

// Assembles received characters into lines ended by CR or LF. Lines of one or two characters
// (such as "OK") are dropped. A line that grows past the cap is dropped up to its next terminator,
// so memory stays bounded whatever the device sends.
class LineBuffer {
public:
    static constexpr std::size_t kCapacity = 4096;

    // True when c ends a line long enough to be a reply; Line() holds it until the next line ends.
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

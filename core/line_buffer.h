#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace quellmark {

// Assembles received characters into lines ended by CR or LF. Lines of one or two characters
// (such as "OK") are dropped. A line that grows past the cap is dropped up to its next terminator,
// so memory stays bounded whatever the device sends.
class LineBuffer {
  public:
    static constexpr std::size_t kCapacity = 4096;

    // Returns the completed line when c ends one that is long enough to be a reply.
    std::optional<std::string> Add(char c);
    void Clear();
    std::size_t Size() const { return text_.size(); }

  private:
    std::string text_;
    bool overflowed_ = false;
};

}  // namespace quellmark

#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace quellmark::modem_sim {

struct ReceivedLine {
    // Every byte received for the line, its carriage return and any stray LF included.
    std::string raw;
    // The line as a command: without LFs and without the carriage return.
    std::string text;
};

// Cuts received bytes into lines ended by a carriage return. A line that grows past the cap
// keeps only its start, and its text is emptied so that it is answered as an error.
class LineAssembler {
public:
    static constexpr std::size_t kCapacity = 4096;

    std::optional<ReceivedLine> Add(char c);

private:
    ReceivedLine line_;
    bool overflowed_ = false;
};

}  // namespace quellmark::modem_sim

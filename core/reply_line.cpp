#include "reply_line.h"

#include <charconv>
#include <cstdint>

namespace quellmark {

namespace {

constexpr std::size_t kTagColumn = 20;  // zero-based: columns 21 to 24
constexpr std::size_t kTagLength = 4;
constexpr std::size_t kValueColumn = 26;  // zero-based: column 27
constexpr std::string_view kBlanks = " \t";

// A signed decimal whole number within 16 bits, blanks around it allowed; anything else is none.
std::optional<int> ParseValue(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-') {
            return std::nullopt;
        }
    }
    std::int16_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

ReplyValues ParseReplyLine(std::string_view line) {
    if (line.size() < kTagColumn + kTagLength) {
        return {};
    }
    const std::string_view tag = line.substr(kTagColumn, kTagLength);
    const std::string_view value = line.size() > kValueColumn ? line.substr(kValueColumn) : "";
    ReplyValues values;
    if (tag == "+VGR") {
        values.rx = ParseValue(value);
    }
    if (tag == "+VGT") {
        values.tx = ParseValue(value);
    }
    return values;
}

}  // namespace quellmark

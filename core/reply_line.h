#pragma once

#include <optional>
#include <string_view>

namespace quellmark {

// The gains a reply line carries: "+VGR" or "+VGT" in columns 21 to 24 and a signed decimal
// whole number from column 27 on. A line of any other form carries none.
struct ReplyValues {
    std::optional<int> rx;
    std::optional<int> tx;
};

ReplyValues ParseReplyLine(std::string_view line);

}  // namespace quellmark

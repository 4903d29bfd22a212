#pragma once

#include <random>
#include <string>
#include <vector>

namespace quellmark::modem_sim {

struct ReplyStyle {
    bool lf_only = false;
    bool noise = false;
};

// The bytes of one answer: each line with its line end (CR LF, or LF alone). With noise on,
// one or two noise lines go ahead of it, as unsolicited lines fall between a modem's replies.
std::string RenderAnswer(const std::vector<std::string>& lines, ReplyStyle style,
                         std::mt19937& random);

}  // namespace quellmark::modem_sim

#include "reply_render.h"

#include "noise_line.h"

namespace quellmark::modem_sim {

std::string RenderAnswer(const std::vector<std::string>& lines, ReplyStyle style,
                         std::mt19937& random) {
    const std::string_view line_end = style.lf_only ? "\n" : "\r\n";
    std::string bytes;
    if (style.noise) {
        const int count = std::uniform_int_distribution<int>(1, 2)(random);
        for (int i = 0; i < count; ++i) {
            bytes += NoiseLine(random);
            bytes += line_end;
        }
    }
    for (const std::string& line : lines) {
        bytes += line;
        bytes += line_end;
    }
    return bytes;
}

}  // namespace quellmark::modem_sim

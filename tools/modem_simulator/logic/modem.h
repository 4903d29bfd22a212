#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quellmark::modem_sim {

struct Gains {
    int tx = 0;
    int rx = 48;
};

// The modem's answers and its gains, kept per channel. Every channel starts from the same gains.
class Modem {
public:
    explicit Modem(Gains initial) : initial_(initial) {}

    // Answers one command line (without its carriage return) with reply lines, without line ends.
    std::vector<std::string> Execute(std::string_view line);

private:
    Gains initial_;
    std::map<std::string, Gains, std::less<>> channels_;
};

// The first 20 columns of a gain reply: "gsm+ " and the channel, padded or cut to fit.
std::string LeadIn(std::string_view channel);

}  // namespace quellmark::modem_sim

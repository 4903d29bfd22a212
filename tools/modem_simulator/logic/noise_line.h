#pragma once

#include <random>
#include <string>

namespace quellmark::modem_sim {

// A line a real modem may send unasked: an unsolicited result, a short fragment, an empty line
// or printable junk. None of them has the form of a gain reply.
std::string NoiseLine(std::mt19937& random);

}  // namespace quellmark::modem_sim

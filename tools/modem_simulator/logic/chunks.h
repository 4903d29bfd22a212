#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace quellmark::modem_sim {

// Cuts bytes into pieces of 1 to max_size bytes each, at random, as a slow line delivers them.
std::vector<std::string> SplitIntoChunks(std::string_view bytes, std::size_t max_size,
                                         std::mt19937& random);

}  // namespace quellmark::modem_sim

#include "chunks.h"

#include <algorithm>

namespace quellmark::modem_sim {

std::vector<std::string> SplitIntoChunks(std::string_view bytes, std::size_t max_size,
                                         std::mt19937& random) {
    std::uniform_int_distribution<std::size_t> size(1, std::max<std::size_t>(max_size, 1));
    std::vector<std::string> chunks;
    while (!bytes.empty()) {
        const std::size_t take = std::min(size(random), bytes.size());
        chunks.emplace_back(bytes.substr(0, take));
        bytes.remove_prefix(take);
    }
    return chunks;
}

}  // namespace quellmark::modem_sim

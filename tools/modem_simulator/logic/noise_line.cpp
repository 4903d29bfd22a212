#include "noise_line.h"

#include <array>
#include <string_view>

namespace quellmark::modem_sim {

namespace {

constexpr std::array<std::string_view, 5> kFixedLines{"RING", "+CREG: 1", "", "0", "AT"};
// No '+' among them, so junk can never read as a gain reply.
constexpr std::string_view kJunkCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 #*.,:;=?!";
constexpr int kMaxJunkLength = 60;

int Pick(std::mt19937& random, int count) {
    return std::uniform_int_distribution<int>(0, count - 1)(random);
}

std::string Junk(std::mt19937& random) {
    std::string junk(std::uniform_int_distribution<int>(1, kMaxJunkLength)(random), ' ');
    for (char& c : junk) {
        c = kJunkCharacters[Pick(random, kJunkCharacters.size())];
    }
    return junk;
}

}  // namespace

std::string NoiseLine(std::mt19937& random) {
    const int choice = Pick(random, kFixedLines.size() + 1);
    if (choice == static_cast<int>(kFixedLines.size())) {
        return Junk(random);
    }
    return std::string(kFixedLines[choice]);
}

}  // namespace quellmark::modem_sim

#include "options.h"

#include <gtest/gtest.h>

#include <vector>

namespace quellmark::modem_sim {
namespace {

std::variant<Options, std::string> Parse(std::vector<std::string_view> args) {
    return ParseOptions(args);
}

TEST(Options, DefaultsMatchAFreshModem) {
    const Options options = std::get<Options>(Parse({}));
    EXPECT_EQ(options.initial.tx, 0);
    EXPECT_EQ(options.initial.rx, 48);
    EXPECT_EQ(options.delay_ms, 0);
    EXPECT_FALSE(options.seed.has_value());
}

TEST(Options, ReadsEveryOption) {
    const Options options = std::get<Options>(
        Parse({"--tx", "255", "--rx", "0", "--delay-ms", "30", "--chunks", "--seed", "4294967295",
               "--lf", "--noise", "--log", "/tmp/l", "--link", "/tmp/d", "--help"}));
    EXPECT_EQ(options.initial.tx, 255);
    EXPECT_EQ(options.initial.rx, 0);
    EXPECT_EQ(options.delay_ms, 30);
    EXPECT_TRUE(options.chunks && options.lf_only && options.noise && options.help);
    EXPECT_EQ(options.seed, 4294967295u);
    EXPECT_EQ(options.log_path, "/tmp/l");
    EXPECT_EQ(options.link_path, "/tmp/d");
}

TEST(Options, RejectsBadArguments) {
    const std::vector<std::vector<std::string_view>> bad{
        {"--tx", "256"}, {"--rx", "-1"},     {"--tx", "1.5"},          {"--tx"},
        {"--log", ""},   {"--delay-ms", ""}, {"--seed", "4294967296"}, {"--speed", "9600"},
    };
    for (const auto& args : bad) {
        EXPECT_TRUE(std::holds_alternative<std::string>(Parse(args))) << args.at(0);
    }
}

}  // namespace
}  // namespace quellmark::modem_sim

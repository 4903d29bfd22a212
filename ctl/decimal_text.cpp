#include "decimal_text.h"

#include <algorithm>

namespace quellmark::ctl {

namespace {

// Far beyond any value the options take, and far from overflowing when scaled.
constexpr std::size_t kMaxWholeDigits = 9;
constexpr std::size_t kMaxFractionDigits = 9;

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<DecimalText> ParseDecimalText(std::string_view text) {
    DecimalText number;
    if (text.starts_with('-')) {
        number.negative = true;
        text.remove_prefix(1);
    }
    const std::size_t separator = text.find_first_of(".,");
    const std::string_view whole = text.substr(0, separator);
    std::string_view fraction =
        separator == std::string_view::npos ? std::string_view() : text.substr(separator + 1);
    if (whole.empty() || whole.size() > kMaxWholeDigits || !AllDigits(whole) ||
        (separator != std::string_view::npos && fraction.empty()) ||
        fraction.size() > kMaxFractionDigits || !AllDigits(fraction)) {
        return std::nullopt;
    }
    while (fraction.ends_with('0')) {
        fraction.remove_suffix(1);
    }
    for (const char digit : whole) {
        number.whole = number.whole * 10 + (digit - '0');
    }
    number.fraction = fraction;
    return number;
}

std::optional<long long> ScaledWhole(const DecimalText& number, int scale) {
    long long fractionValue = 0;
    long long fractionUnit = 1;
    for (const char digit : number.fraction) {
        fractionValue = fractionValue * 10 + (digit - '0');
        fractionUnit *= 10;
    }
    if (fractionValue * scale % fractionUnit != 0) {
        return std::nullopt;
    }
    const long long magnitude = number.whole * scale + fractionValue * scale / fractionUnit;
    return number.negative ? -magnitude : magnitude;
}

}  // namespace quellmark::ctl

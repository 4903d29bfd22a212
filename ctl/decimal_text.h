#pragma once

#include <optional>
#include <string_view>

namespace quellmark::ctl {

// A number as typed on a command line: an optional minus sign, digits, and either '.' or ','
// with more digits, so that "10.5" and "10,5" mean the same on any system.
struct DecimalText {
    bool negative = false;
    long long whole = 0;
    std::string_view fraction;  // the digits after the separator, trailing zeros removed
};

std::optional<DecimalText> ParseDecimalText(std::string_view text);

// The number times `scale` when that is a whole number, as in halves of a dB (scale 2) or
// milliseconds (scale 1000); none when digits would be left over.
std::optional<long long> ScaledWhole(const DecimalText& number, int scale);

}  // namespace quellmark::ctl

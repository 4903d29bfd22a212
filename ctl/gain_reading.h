#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quellmark::ctl {

// What the modem reported for one channel: its device values, none where no reply came.
struct GainReading {
    std::string channel;
    std::optional<int> tx;
    std::optional<int> rx;
};

// Both gains came, each with a value on its scale.
bool IsComplete(const GainReading& reading);

// "A: TX 10,5 db (21), RX -2 db (70)", each gain as the window shows it; "TX keine Antwort" for a
// reply that did not come. No line end.
std::string ReadingLine(const GainReading& reading, std::string_view decimalSeparator);

// [{"channel":"A","tx":{"db":10.5,"value":21},"rx":{"db":-2,"value":70}}]: null for a gain
// without a reply, "db" null for a value off the scale. No line end.
std::string ReadingsJson(std::span<const GainReading> readings);

}  // namespace quellmark::ctl

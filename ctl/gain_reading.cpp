#include "gain_reading.h"

#include <nlohmann/json.hpp>

#include "gain_scale.h"
#include "gain_steps.h"

namespace quellmark::ctl {

namespace {

// The gain text the window shows for a device value; none when the value is off the scale.
std::optional<std::string> TxText(int value, std::string_view decimalSeparator) {
    const auto position = GainScale::TxPositionFromDevice(value);
    return position ? std::optional(GainScale::TxGainText(*position, decimalSeparator))
                    : std::nullopt;
}

std::optional<std::string> RxText(int value) {
    const auto position = GainScale::RxPositionFromDevice(value);
    return position ? std::optional(GainScale::RxGainText(*position)) : std::nullopt;
}

std::string GainPart(std::string_view name, std::optional<int> value,
                     const std::optional<std::string>& text) {
    const std::string prefix = std::string(name) + " ";
    if (!value) {
        return prefix + "keine Antwort";
    }
    const std::string shown = text ? *text : "ungültiger Wert";
    return prefix + shown + " (" + std::to_string(*value) + ")";
}

// A gain as a JSON number: whole dB as an integer, a half dB as a fraction ("db":0, "db":10.5).
nlohmann::ordered_json DbNumber(int halfSteps) {
    if (halfSteps % 2 == 0) {
        return halfSteps / 2;
    }
    return halfSteps / 2.0;
}

// {"db":…,"value":…}; "db" is null for a value off the scale, and the gain null without a reply.
nlohmann::ordered_json JsonGain(std::optional<int> value, std::optional<int> halfSteps) {
    if (!value) {
        return nullptr;
    }
    return {{"db", halfSteps ? DbNumber(*halfSteps) : nullptr}, {"value", *value}};
}

std::optional<int> TxHalfStepsOf(std::optional<int> value) {
    const auto position = value ? GainScale::TxPositionFromDevice(*value) : std::nullopt;
    return position ? std::optional(TxHalfStepsAt(*position)) : std::nullopt;
}

std::optional<int> RxHalfStepsOf(std::optional<int> value) {
    const auto gain = value ? GainScale::RxPositionFromDevice(*value) : std::nullopt;
    return gain ? std::optional(*gain * 2) : std::nullopt;
}

std::optional<std::string> TxTextOf(const GainReading& reading, std::string_view separator) {
    return reading.tx ? TxText(*reading.tx, separator) : std::nullopt;
}

std::optional<std::string> RxTextOf(const GainReading& reading) {
    return reading.rx ? RxText(*reading.rx) : std::nullopt;
}

}  // namespace

bool IsComplete(const GainReading& reading) {
    return TxHalfStepsOf(reading.tx) && RxHalfStepsOf(reading.rx);
}

std::string ReadingLine(const GainReading& reading, std::string_view decimalSeparator) {
    return reading.channel + ": " +
           GainPart("TX", reading.tx, TxTextOf(reading, decimalSeparator)) + ", " +
           GainPart("RX", reading.rx, RxTextOf(reading));
}

std::string ReadingsJson(std::span<const GainReading> readings) {
    auto json = nlohmann::ordered_json::array();
    for (const GainReading& reading : readings) {
        json.push_back({{"channel", reading.channel},
                        {"tx", JsonGain(reading.tx, TxHalfStepsOf(reading.tx))},
                        {"rx", JsonGain(reading.rx, RxHalfStepsOf(reading.rx))}});
    }
    // A channel text that is not UTF-8 has come from the command line; it stays visible.
    return json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace quellmark::ctl

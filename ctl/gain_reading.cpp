#include "gain_reading.h"

#include <cstdio>

#include "gain_scale.h"

namespace quellmark::ctl {

namespace {

constexpr std::string_view kUnitSuffix = " db";

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

// The window's text with a '.' separator is a JSON number once the unit is gone.
std::string JsonGain(std::optional<int> value, const std::optional<std::string>& text) {
    if (!value || !text) {
        return "null";
    }
    const std::string number = text->substr(0, text->size() - kUnitSuffix.size());
    return "{\"db\":" + number + ",\"value\":" + std::to_string(*value) + "}";
}

std::string JsonString(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::optional<std::string> TxTextOf(const GainReading& reading, std::string_view separator) {
    return reading.tx ? TxText(*reading.tx, separator) : std::nullopt;
}

std::optional<std::string> RxTextOf(const GainReading& reading) {
    return reading.rx ? RxText(*reading.rx) : std::nullopt;
}

}  // namespace

bool IsComplete(const GainReading& reading) {
    return TxTextOf(reading, ".") && RxTextOf(reading);
}

std::string ReadingLine(const GainReading& reading, std::string_view decimalSeparator) {
    return reading.channel + ": " +
           GainPart("TX", reading.tx, TxTextOf(reading, decimalSeparator)) + ", " +
           GainPart("RX", reading.rx, RxTextOf(reading));
}

std::string ReadingsJson(const std::vector<GainReading>& readings) {
    std::string json = "[";
    for (const GainReading& reading : readings) {
        if (json.size() > 1) {
            json += ',';
        }
        json += "{\"channel\":" + JsonString(reading.channel) +
                ",\"tx\":" + JsonGain(reading.tx, TxTextOf(reading, ".")) +
                ",\"rx\":" + JsonGain(reading.rx, RxTextOf(reading)) + "}";
    }
    return json + "]";
}

}  // namespace quellmark::ctl

#include "gain_scale.h"

#include <cstdlib>

namespace quellmark::GainScale {

namespace {

constexpr int kTxZeroPosition = 13;
constexpr int kTxNegativeOffset = 243;  // -6.5 dB .. -0.5 dB as a two's complement byte
constexpr int kTxDeviceMax = 102;
constexpr int kRxBucketWidth = 16;
constexpr int kRxLastBucketStart = 224;
constexpr int kDeviceMax = 255;

}  // namespace

std::string TxGainText(int position, std::string_view decimalSeparator) {
    const long long halfSteps = static_cast<long long>(position) - kTxZeroPosition;
    const std::string sign = halfSteps < 0 ? "-" : "";
    std::string text = sign + std::to_string(std::llabs(halfSteps) / 2);
    if (halfSteps % 2 != 0) {
        text += decimalSeparator;
        text += '5';
    }
    return text + " db";
}

int TxDeviceValue(int position) {
    return position < kTxZeroPosition ? position + kTxNegativeOffset : position - kTxZeroPosition;
}

std::optional<int> TxPositionFromDevice(int value) {
    if (value >= 0 && value <= kTxDeviceMax) {
        return value + kTxZeroPosition;
    }
    if (value >= kTxNegativeOffset && value <= kDeviceMax) {
        return value - kTxNegativeOffset;
    }
    return std::nullopt;
}

std::string RxGainText(int position) {
    return std::to_string(position) + " db";
}

std::optional<int> RxDeviceValue(int position) {
    if (position < kRxPositionMin || position > kRxPositionMax || position % 2 != 0) {
        return std::nullopt;
    }
    return 48 - 8 * position;
}

std::optional<int> RxPositionFromDevice(int value) {
    if (value < 0 || value > kDeviceMax) {
        return std::nullopt;
    }
    if (value >= kRxLastBucketStart) {
        return kRxPositionMin;
    }
    return kRxPositionMax - 2 * (value / kRxBucketWidth);
}

}  // namespace quellmark::GainScale

#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversions between slider positions, gain texts and the modem's device values.
namespace quellmark::GainScale {

inline constexpr int kTxPositionMin = 0;
inline constexpr int kTxPositionMax = 115;
inline constexpr int kRxPositionMin = -22;
inline constexpr int kRxPositionMax = 6;

std::string TxGainText(int position, std::string_view decimalSeparator);
int TxDeviceValue(int position);
std::optional<int> TxPositionFromDevice(int value);

std::string RxGainText(int position);
std::optional<int> RxDeviceValue(int position);
std::optional<int> RxPositionFromDevice(int value);

}  // namespace quellmark::GainScale

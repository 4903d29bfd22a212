#pragma once

#include <optional>
#include <string>
#include <variant>

namespace quellmark::ctl {

// Gains given in dB, from the command line or a saved file, checked against the scales. On a
// refusal: why, in words that follow the value ("liegt außerhalb von -6,5 bis 51 dB").

// The TX slider position for `halfSteps` steps of 0.5 dB from 0 dB; none: between two steps.
std::variant<int, std::string> TxPositionFor(std::optional<long long> halfSteps);
// The RX gain itself when the modem takes it; none: not a whole number of dB.
std::variant<int, std::string> RxGainFor(std::optional<long long> db);

// Steps of 0.5 dB from 0 dB at TX slider position `position`.
int TxHalfStepsAt(int position);

}  // namespace quellmark::ctl

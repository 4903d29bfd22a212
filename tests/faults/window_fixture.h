#pragma once

#include <string_view>

#include "window_driver.h"

namespace quellmark::faults {

using WindowTest = test_support::WindowDriver;

// A read-back reply giving the TX gain as device value 5, and where it puts the TX slider.
inline constexpr std::string_view kTxReply = "gsm+ A at+vgr?;+vgt?+VGT: 5\r\n";
inline constexpr int kTxReplyPosition = 18;

}  // namespace quellmark::faults

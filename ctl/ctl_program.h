#pragma once

#include <span>
#include <string>

#include "ctl_system.h"

namespace quellmark::ctl {

// quellmark-ctl from its arguments (without the program name, UTF-8) to its exit status.
int RunCtlProgram(std::span<const std::string> args, CtlSystem& system, std::string_view version);

}  // namespace quellmark::ctl

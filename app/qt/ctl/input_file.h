#pragma once

#include <string>
#include <variant>

#include "ctl_system.h"

namespace quellmark::ctl {

// Every byte of the file at `path` (UTF-8), or of standard input for "-"; on failure the reason,
// in German for the common ones.
std::variant<std::string, ReadFailure> ReadInputFile(const std::string& path);

}  // namespace quellmark::ctl

#pragma once

#include <string>
#include <variant>

#include "ctl_system.h"

namespace quellmark::ctl {

// Every byte of the file at `path` (UTF-8, any length of path), or of standard input for "-",
// unchanged; on failure the system's reason.
std::variant<std::string, ReadFailure> ReadInputFile(const std::string& path);

}  // namespace quellmark::ctl

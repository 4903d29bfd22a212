#pragma once

#include <string>
#include <variant>

#include "ctl_system.h"

namespace quellmark::ctl {

// Every byte of the file at `path` (UTF-8, opened by its UTF-16 name), or of standard input for
// "-", unchanged; on failure the system's reason.
std::variant<std::string, ReadFailure> ReadInputFile(const std::string& path);

}  // namespace quellmark::ctl

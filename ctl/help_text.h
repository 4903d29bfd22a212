#pragma once

#include <string>
#include <string_view>

namespace quellmark::ctl {

// `portForms` says what PORT may be on this system, such as "/dev/ttyUSB0".
std::string HelpText(std::string_view programName, std::string_view portForms);
std::string VersionText(std::string_view programName, std::string_view version);

}  // namespace quellmark::ctl

#pragma once

#include <string>

namespace quellmark::win32 {

// The decimal separator of the user's locale settings, in UTF-8: "," for German, "." for English.
std::string UserDecimalSeparator();

}  // namespace quellmark::win32

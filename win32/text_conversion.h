#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quellmark::win32 {

// Windows' texts are UTF-16, the program's UTF-8. A sequence that is not valid UTF-8 becomes
// U+FFFD.
std::wstring ToWide(std::string_view utf8);
std::string ToUtf8(std::wstring_view wide);

std::wstring WindowText(HWND window);

}  // namespace quellmark::win32

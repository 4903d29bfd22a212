#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quellmark::win32 {

// Window texts are UTF-16, the controller's are UTF-8.
std::wstring ToWide(std::string_view utf8);
std::string ToUtf8(std::wstring_view wide);

std::wstring WindowText(HWND window);

}  // namespace quellmark::win32

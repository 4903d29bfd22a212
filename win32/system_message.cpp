#include "system_message.h"

#include <string_view>

#include "text_conversion.h"

namespace quellmark::win32 {

std::string SystemMessage(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring_view message(buffer, length);
    // The system's messages end in a line break, which the caller's line already has.
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.')) {
        message.remove_suffix(1);
    }
    std::string text = ToUtf8(message);
    LocalFree(buffer);
    return text.empty() ? "Systemfehler " + std::to_string(error) : text;
}

}  // namespace quellmark::win32

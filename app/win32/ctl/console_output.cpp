#include "console_output.h"

#include "text_conversion.h"

namespace quellmark::ctl {

bool WriteText(HANDLE stream, const std::string& text) {
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(stream, &mode)) {
        const std::wstring wide = win32::ToWide(text);
        return WriteConsoleW(stream, wide.data(), DWORD(wide.size()), &written, nullptr) &&
               written == wide.size();
    }
    return WriteFile(stream, text.data(), DWORD(text.size()), &written, nullptr) &&
           written == text.size();
}

}  // namespace quellmark::ctl

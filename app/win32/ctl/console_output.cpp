#include "console_output.h"

#include "text_conversion.h"

namespace quellmark::ctl {

void WriteText(HANDLE stream, const std::string& text) {
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(stream, &mode)) {
        const std::wstring wide = win32::ToWide(text);
        WriteConsoleW(stream, wide.data(), DWORD(wide.size()), &written, nullptr);
    } else {
        WriteFile(stream, text.data(), DWORD(text.size()), &written, nullptr);
    }
}

}  // namespace quellmark::ctl

#include "ansi_text.h"

#include <windows.h>

#include "text_conversion.h"

namespace quellmark {

namespace {

char AnsiByte(wchar_t character) {
    // Every ANSI code page keeps ASCII as it is; a UTF-8 system code page would refuse the flags.
    if (character < 0x80) {
        return char(character);
    }
    char bytes[4];
    BOOL defaulted = FALSE;
    const int count = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &character, 1, bytes,
                                          sizeof bytes, "?", &defaulted);
    // A double-byte code page can need two bytes for one character: that is not one byte either.
    return count == 1 && !defaulted ? bytes[0] : '?';
}

bool IsHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::string ToAnsiBytes(std::string_view utf8) {
    // An invalid sequence comes out as U+FFFD, which no ANSI code page has.
    const std::wstring utf16 = win32::ToWide(utf8);
    std::string bytes;
    bytes.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        if (IsHighSurrogate(utf16[i]) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
            ++i;
            bytes += '?';
        } else {
            bytes += AnsiByte(utf16[i]);
        }
    }
    return bytes;
}

}  // namespace quellmark

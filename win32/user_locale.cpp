#include "user_locale.h"

#include <windows.h>

#include "text_conversion.h"

namespace quellmark::win32 {

std::string UserDecimalSeparator() {
    wchar_t separator[LOCALE_NAME_MAX_LENGTH] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator,
                        LOCALE_NAME_MAX_LENGTH) == 0) {
        return ".";
    }
    return ToUtf8(separator);
}

}  // namespace quellmark::win32

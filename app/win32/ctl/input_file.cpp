#include "input_file.h"

#include <windows.h>

#include "system_message.h"
#include "text_conversion.h"
#include "unique_handle.h"

namespace quellmark::ctl {

std::variant<std::string, ReadFailure> ReadInputFile(const std::string& path) {
    UniqueHandle opened;
    if (path != "-") {
        opened = UniqueHandle(CreateFileW(win32::ToWide(path).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!opened) {
            return ReadFailure{win32::SystemMessage(GetLastError())};
        }
    }
    const HANDLE file = opened ? opened.Get() : GetStdHandle(STD_INPUT_HANDLE);
    std::string text;
    char chunk[4096];
    for (DWORD count = 1; count > 0;) {
        if (!ReadFile(file, chunk, sizeof chunk, &count, nullptr)) {
            // A pipe ends this way once its writer has closed it.
            if (const DWORD error = GetLastError(); error != ERROR_BROKEN_PIPE) {
                return ReadFailure{win32::SystemMessage(error)};
            }
            count = 0;
        }
        text.append(chunk, count);
    }
    return text;
}

}  // namespace quellmark::ctl

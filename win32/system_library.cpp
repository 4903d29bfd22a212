#include "system_library.h"

#include <string>

namespace quellmark::win32 {

// By its full path: LOAD_LIBRARY_SEARCH_SYSTEM32 needs an update that not every Windows 7 has.
HMODULE LoadSystemLibrary(const wchar_t* name) {
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
    if (length == 0 || length >= path.size()) {
        return nullptr;
    }
    path.resize(length);
    return LoadLibraryW((path + L'\\' + name).c_str());
}

}  // namespace quellmark::win32

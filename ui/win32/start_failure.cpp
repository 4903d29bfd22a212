#include "start_failure.h"

#include <windows.h>

#include <string>
#include <system_error>

namespace quellmark::win32 {

namespace {

constexpr wchar_t kTitle[] = L"Quellmark";
constexpr wchar_t kText[] = L"Quellmark konnte nicht gestartet werden.";

void ShowFailure(const std::wstring& text) {
    MessageBoxW(nullptr, text.c_str(), kTitle, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

}  // namespace

int RunReportingFailure(const std::function<int()>& program) {
    try {
        return program();
    } catch (const std::system_error& error) {
        // Windows' error code, for whoever helps the user find the cause.
        ShowFailure(std::wstring(kText) + L"\n\nWindows-Fehlercode " +
                    std::to_wstring(error.code().value()));
    } catch (...) {
        ShowFailure(kText);
    }
    return 1;
}

}  // namespace quellmark::win32

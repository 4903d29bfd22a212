// quellmark.exe as built (path: the first argument). The manifest Windows reads from it: one it
// cannot parse stops the program from starting; without the common controls dependency the
// controls are unthemed; a dpi setting or a supported system under the wrong namespace is
// silently ignored.
#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>

#include <cstddef>
#include <cstring>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::wstring g_program;

// Besides the dpi awareness and common controls 6, the systems the manifest claims, as Windows
// reads them: Windows 7, 8, 8.1 and 10/11.
TEST(ProgramManifest, ParsesAndSelectsCommonControls6PerMonitorDpiAndWindows7To11) {
    ACTCTXW context{};
    context.cbSize = sizeof(context);
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = g_program.c_str();
    context.lpResourceName = MAKEINTRESOURCEW(1);  // the program's manifest
    const HANDLE activation = CreateActCtxW(&context);
    ASSERT_NE(activation, INVALID_HANDLE_VALUE) << "manifest rejected, error " << GetLastError();
    ACTCTX_SECTION_KEYED_DATA redirection{};
    redirection.cbSize = sizeof(redirection);
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(activation, &cookie));
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                         L"comctl32.dll", &redirection));
    DeactivateActCtx(0, cookie);
    wchar_t value[64] = {};
    EXPECT_TRUE(QueryActCtxSettingsW(0, activation,
                                     L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                                     L"dpiAwareness", value, std::size(value), nullptr));
    EXPECT_EQ(std::wstring(value), L"PerMonitorV2, PerMonitor");
    std::vector<std::byte> buffer(4096);
    SIZE_T size = 0;
    const bool compatibilityRead =
        QueryActCtxW(0, activation, nullptr, CompatibilityInformationInActivationContext,
                     buffer.data(), buffer.size(), &size);
    ReleaseActCtx(activation);
    ASSERT_TRUE(compatibilityRead);
    DWORD count = 0;
    std::memcpy(&count, buffer.data(), sizeof(count));
    ASSERT_GT(count, 0u);
    // Newer systems append a 64-bit MaxVersionTested to each element, which moves the first.
    const std::size_t stride = size - sizeof(DWORD) == count * 20 ? 20 : 32;
    const std::size_t first = size - count * stride;
    std::set<std::wstring> claimed;
    for (DWORD i = 0; i < count; ++i) {
        GUID id{};
        std::memcpy(&id, buffer.data() + first + i * stride, sizeof(id));
        wchar_t text[40] = {};
        StringFromGUID2(id, text, std::size(text));
        claimed.insert(text);
    }
    EXPECT_EQ(claimed, std::set<std::wstring>({L"{35138B9A-5D96-4FBD-8E2D-A2440225F93A}",
                                               L"{4A2F28E3-53B9-4441-BA9C-D69D4A4A6E38}",
                                               L"{1F676C76-80E1-4239-95BB-83D0F6D0DA78}",
                                               L"{8E0F7A12-BFB3-4FE8-B9A5-48FD50A15A9A}"}));
}

// Started as a person starts it, the program shows its window; closed, the program ends with 0.
TEST(Program, EndsWhenItsWindowCloses) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring command = L"quellmark.exe";
    ASSERT_TRUE(CreateProcessW(g_program.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &process));
    HWND window = nullptr;
    for (int wait = 0; wait < 200 && !IsWindowVisible(window); ++wait, Sleep(50)) {
        window = FindWindowW(nullptr, L"Quellmark");
    }
    EXPECT_TRUE(IsWindowVisible(window)) << "no window came up";
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0) << "still running";
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    g_program = argc == 2 ? argv[1] : L"";
    return RUN_ALL_TESTS();
}

// quellmark.exe as built (path: the first argument). The manifest Windows reads from it: one it
// cannot parse stops the program from starting; without the common controls dependency the
// controls are unthemed; a dpi setting under the wrong namespace is silently ignored.
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace {

std::wstring g_program;

TEST(ProgramManifest, ParsesAndSelectsCommonControls6AndPerMonitorDpi) {
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
    ReleaseActCtx(activation);
}

// Started as a person starts it, the program shows its window; closed, the program ends with 0.
TEST(Program, EndsWhenItsWindowCloses) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(g_program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
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

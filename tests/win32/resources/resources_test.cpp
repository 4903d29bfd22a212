// The manifest Windows reads from quellmark.exe (path: the first argument). One it cannot parse
// stops the program from starting; without the common controls dependency the controls are
// unthemed; a dpi setting under the wrong namespace is silently ignored and the window blurred.
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    g_program = argc == 2 ? argv[1] : L"";
    return RUN_ALL_TESTS();
}

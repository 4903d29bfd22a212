// Checks the resources that Windows reads from quellmark.exe itself: the icon shown in Explorer and
// the task bar, the manifest that selects the themed common controls, and the version shown in the
// file's properties. The path of quellmark.exe is the first argument.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "resource_ids.h"

namespace {

std::wstring g_program;

// The icon group header and entries as they are stored in an RT_GROUP_ICON resource.
#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width;  // 0 means 256
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitsPerPixel;
    DWORD bytes;
    WORD id;
};
struct IconGroupHeader {
    WORD reserved;
    WORD type;
    WORD count;  // entries follow the header
};
#pragma pack(pop)

class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExW(g_program.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "cannot load the resources of the program";
    }
    void TearDown() override { FreeLibrary(module_); }

    HMODULE module_ = nullptr;
};

TEST_F(ProgramResources, IconHasEverySizeWindowsAsksFor) {
    HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(IDI_QUELLMARK), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    const auto* group =
        static_cast<const IconGroupHeader*>(LockResource(LoadResource(module_, found)));
    const auto* entries = reinterpret_cast<const IconGroupEntry*>(group + 1);
    std::vector<int> sizes;
    for (const IconGroupEntry& entry : std::span(entries, group->count)) {
        EXPECT_EQ(entry.width, entry.height);
        EXPECT_EQ(entry.bitsPerPixel, 32) << "images without alpha have ragged corners";
        sizes.push_back(entry.width == 0 ? 256 : entry.width);
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<int>{16, 24, 32, 48, 256}));
}

// A manifest Windows cannot parse stops the program from starting at all; one without the
// common controls dependency gives it unthemed controls.
TEST_F(ProgramResources, ManifestParsesAndSelectsCommonControls6AndPerMonitorDpi) {
    ACTCTXW context{};
    context.cbSize = sizeof(context);
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = g_program.c_str();
    context.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    HANDLE activation = CreateActCtxW(&context);
    ASSERT_NE(activation, INVALID_HANDLE_VALUE) << "manifest rejected, error " << GetLastError();

    // The dependency resolved: loading comctl32.dll in this context gives the side-by-side one.
    ACTCTX_SECTION_KEYED_DATA redirection{};
    redirection.cbSize = sizeof(redirection);
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(activation, &cookie));
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                         L"comctl32.dll", &redirection));
    DeactivateActCtx(0, cookie);

    // A setting under the wrong namespace is silently ignored, and Windows then scales the window
    // as a bitmap, blurred.
    struct Setting {
        const wchar_t* space;
        const wchar_t* name;
        std::wstring expected;
    };
    const Setting dpiSettings[] = {
        {L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", L"true/pm"},
        {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness",
         L"PerMonitorV2, PerMonitor"}};
    for (const Setting& setting : dpiSettings) {
        wchar_t value[64] = {};
        SIZE_T length = 0;
        EXPECT_TRUE(QueryActCtxSettingsW(0, activation, setting.space, setting.name, value,
                                         std::size(value), &length))
            << setting.name;
        EXPECT_EQ(value, setting.expected);
    }
    ReleaseActCtx(activation);
}

TEST(ProgramVersion, MatchesTheProjectVersion) {
    std::vector<BYTE> info(GetFileVersionInfoSizeW(g_program.c_str(), nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(g_program.c_str(), 0, info.size(), info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const int fileVersion[] = {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                               HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
    const int projectVersion[] = {QUELLMARK_VERSION_MAJOR, QUELLMARK_VERSION_MINOR,
                                  QUELLMARK_VERSION_PATCH, 0};
    EXPECT_TRUE(std::equal(std::begin(fileVersion), std::end(fileVersion), projectVersion));

    // The text Explorer shows beside the numbers.
    void* text = nullptr;
    ASSERT_TRUE(
        VerQueryValueW(info.data(), L"\\StringFileInfo\\040704b0\\ProductVersion", &text, &length));
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(text)),
              std::to_wstring(projectVersion[0]) + L"." + std::to_wstring(projectVersion[1]) +
                  L"." + std::to_wstring(projectVersion[2]));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: resources_tests PATH-OF-QUELLMARK.EXE\n");
        return 2;
    }
    g_program = argv[1];
    return RUN_ALL_TESTS();
}

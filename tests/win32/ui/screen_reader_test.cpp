#include <gtest/gtest.h>
#include <windows.h>

#include <oleacc.h>

#include <string>
#include <tuple>
#include <utility>

#include "shown_form.h"

namespace quellmark {
namespace {

using enum win32::ControlId;
using win32::ControlId;

// What a screen reader reads through the system's accessible object of `control`.
std::pair<std::wstring, std::wstring> NameAndValue(HWND control) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible)))) {
        return {L"(no object)", L""};
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    std::pair<std::wstring, std::wstring> texts;
    for (auto [get, text] : {std::pair(&IAccessible::get_accName, &texts.first),
                             std::pair(&IAccessible::get_accValue, &texts.second)}) {
        BSTR read = nullptr;
        if ((accessible->*get)(self, &read) == S_OK && read != nullptr) {
            *text = read;
        }
        SysFreeString(read);
    }
    accessible->Release();
    return texts;
}

// What Wine's accessible objects give: the trackbars' names from their window text, the field's
// from the label before it. Wine ignores the annotations, which alone carry the gains as values.
TEST(ScreenReaderTest, SystemObjectsNameTheTrackbarsAndTheField) {
    const testing::ShownForm form;
    const std::tuple<ControlId, std::wstring, std::wstring> expected[] = {
        {Slider1, L"TX Gain", L""}, {Slider2, L"RX Gain", L""}, {Text1, L"Kanal Nr.", L"A"}};
    for (const auto& [id, name, value] : expected) {
        EXPECT_EQ(NameAndValue(form.At(id)), std::pair(name, value)) << win32::IdOf(id);
    }
}

}  // namespace
}  // namespace quellmark

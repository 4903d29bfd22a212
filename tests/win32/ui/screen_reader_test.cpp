#include <gtest/gtest.h>
#include <windows.h>

#include <initguid.h>
#include <oleacc.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "shown_form.h"
#include "text_conversion.h"

namespace quellmark {
namespace {

using enum win32::ControlId;
using win32::ControlId;

// The system's annotation service as the window reaches it, registered in place of the real one:
// it keeps the name and value given to each control. (Wine's service accepts no annotations.)
class FakeAnnotations final : public IAccPropServices, public IClassFactory {
public:
    using Key = std::pair<HWND, std::wstring>;  // the control and "name" or "value"
    std::map<Key, std::wstring> texts;

    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IAccPropServices) {
            *object = static_cast<IAccPropServices*>(this);
        } else if (iid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        return S_OK;
    }
    ULONG WINAPI AddRef() override { return 2; }
    ULONG WINAPI Release() override { return 1; }
    HRESULT WINAPI CreateInstance(IUnknown*, REFIID iid, void** object) override {
        return QueryInterface(iid, object);
    }
    HRESULT WINAPI LockServer(BOOL) override { return S_OK; }

    HRESULT WINAPI SetHwndPropStr(HWND hwnd, DWORD idObject, DWORD idChild, MSAAPROPID property,
                                  LPCWSTR text) override {
        if (idObject != static_cast<DWORD>(OBJID_CLIENT) || idChild != CHILDID_SELF) {
            return E_INVALIDARG;
        }
        texts[{hwnd, NameOf(property)}] = text;
        return S_OK;
    }
    HRESULT WINAPI ClearHwndProps(HWND hwnd, DWORD, DWORD, const MSAAPROPID* properties,
                                  int count) override {
        for (int i = 0; i < count; ++i) {
            texts.erase({hwnd, NameOf(properties[i])});
        }
        return S_OK;
    }

    HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                 AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI SetHwndProp(HWND, DWORD, DWORD, MSAAPROPID, VARIANT) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                     AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                      AnnoScope) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override {
        return E_NOTIMPL;
    }

private:
    static std::wstring NameOf(MSAAPROPID property) {
        return property == PROPID_ACC_NAME    ? L"name"
               : property == PROPID_ACC_VALUE ? L"value"
                                              : L"?";
    }
};

// Registered before the window starts and for as long as it runs.
struct RegisteredAnnotations {
    RegisteredAnnotations() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        CoRegisterClassObject(CLSID_AccPropServices, static_cast<IClassFactory*>(&service),
                              CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie);
    }
    ~RegisteredAnnotations() {
        CoRevokeClassObject(cookie);
        CoUninitialize();
    }
    FakeAnnotations service;
    DWORD cookie = 0;
};

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

struct ScreenReaderTest : ::testing::Test {
    std::wstring Annotation(ControlId id, const wchar_t* property) const {
        const auto found = annotations.service.texts.find({form.At(id), property});
        return found == annotations.service.texts.end() ? L"(none)" : found->second;
    }

    RegisteredAnnotations annotations;
    testing::ShownForm form;
};

// Each trackbar is named after its frame and has its panel's text as value, updated as the panel
// changes, by a move of the user's or by the modem's reply; the channel field is named after its
// label. The annotations are gone with the window.
TEST_F(ScreenReaderTest, TrackbarsCarryTheirPanelAndTheFieldItsLabel) {
    const auto expectAnnotated = [&](const wchar_t* tx, const wchar_t* rx) {
        const std::tuple<ControlId, const wchar_t*, const wchar_t*> expected[] = {
            {Slider1, L"TX Gain", tx}, {Slider2, L"RX Gain", rx}, {Text1, L"Kanal Nr.", L"(none)"}};
        for (const auto& [id, name, value] : expected) {
            EXPECT_EQ(Annotation(id, L"name"), name) << win32::IdOf(id);
            EXPECT_EQ(Annotation(id, L"value"), value) << win32::IdOf(id);
        }
    };
    expectAnnotated(L"Gain -6,5 db, Value 243", L"Gain 0 db, Value 48");
    SendMessageW(form.At(Command1), BM_CLICK, 0, 0);
    SendMessageW(form.At(Slider1), WM_KEYDOWN, VK_DOWN, 0);
    form.fake->Receive("gsm+ A at+vgr?;+vgt?+VGR: 64\r\n");
    expectAnnotated(L"Gain -6 db, Value 244", L"Gain -2 db, Value 64");
    const HWND slider1 = form.At(Slider1);
    DestroyWindow(form.window);
    EXPECT_EQ(annotations.service.texts.count({slider1, L"name"}), 0u);
}

// What Wine's own accessible objects give: the trackbars' names from their window text and the
// field's from the label before it. Values come only from the annotations, which Wine ignores.
TEST_F(ScreenReaderTest, SystemObjectsNameTheTrackbarsAndTheField) {
    const std::tuple<ControlId, std::wstring, std::wstring> expected[] = {
        {Slider1, L"TX Gain", L""}, {Slider2, L"RX Gain", L""}, {Text1, L"Kanal Nr.", L"A"}};
    for (const auto& [id, name, value] : expected) {
        EXPECT_EQ(NameAndValue(form.At(id)), std::pair(name, value)) << win32::IdOf(id);
    }
}

}  // namespace
}  // namespace quellmark

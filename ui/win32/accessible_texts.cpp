#include "accessible_texts.h"

#include <initguid.h>

#include <commctrl.h>
#include <oleacc.h>

#include "system_library.h"

namespace quellmark::win32 {

namespace {

// Looked up when a screen reader first asks, not imported: the start-up has no use for COM.
struct ComFunctions {
    decltype(&CoInitializeEx) initialize = nullptr;
    decltype(&CoCreateInstance) createInstance = nullptr;
    decltype(&CoUninitialize) uninitialize = nullptr;
};

const ComFunctions& Com() {
    static const ComFunctions functions = [] {
        ComFunctions found;
        const HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");
        FindFunction(ole32, "CoInitializeEx", found.initialize);
        FindFunction(ole32, "CoCreateInstance", found.createInstance);
        FindFunction(ole32, "CoUninitialize", found.uninitialize);
        return found;
    }();
    return functions;
}

}  // namespace

AccessibleTexts::~AccessibleTexts() {
    if (services_ != nullptr) {
        services_->Release();
    }
    if (comStarted_) {
        Com().uninitialize();
    }
}

void AccessibleTexts::SetName(HWND control, const std::wstring& name) {
    names_[control] = name;
    Watch(control);
    Annotate(control, PROPID_ACC_NAME, name);
}

void AccessibleTexts::SetValue(HWND control, const std::wstring& value) {
    auto [entry, added] = values_.try_emplace(control);
    if (!added && entry->second == value) {
        return;
    }
    entry->second = value;
    Watch(control);
    Annotate(control, PROPID_ACC_VALUE, value);
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

void AccessibleTexts::OnObjectRequested() {
    if (!started_) {
        Start();
    }
}

// The texts go to the service before the system's accessible object for the control that was
// asked for is made, which happens once the WM_GETOBJECT that started this has been answered.
void AccessibleTexts::Start() {
    started_ = true;
    const ComFunctions& com = Com();
    if (com.initialize == nullptr || com.createInstance == nullptr || com.uninitialize == nullptr) {
        return;
    }
    comStarted_ = SUCCEEDED(com.initialize(nullptr, COINIT_APARTMENTTHREADED));
    if (FAILED(com.createInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IAccPropServices, reinterpret_cast<void**>(&services_)))) {
        services_ = nullptr;
        return;
    }
    for (const auto& [control, name] : names_) {
        Annotate(control, PROPID_ACC_NAME, name);
    }
    for (const auto& [control, value] : values_) {
        Annotate(control, PROPID_ACC_VALUE, value);
    }
}

void AccessibleTexts::Annotate(HWND control, const GUID& property, const std::wstring& text) const {
    if (services_ != nullptr) {
        services_->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, property, text.c_str());
    }
}

void AccessibleTexts::Watch(HWND control) {
    if (watched_.insert(control).second) {
        SetWindowSubclass(control, WatchControl, 0, reinterpret_cast<DWORD_PTR>(this));
    }
}

LRESULT CALLBACK AccessibleTexts::WatchControl(HWND control, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    if (message == WM_GETOBJECT) {
        reinterpret_cast<AccessibleTexts*>(self)->OnObjectRequested();
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

void AccessibleTexts::Clear() {
    const MSAAPROPID properties[] = {PROPID_ACC_NAME, PROPID_ACC_VALUE};
    for (const HWND control : watched_) {
        RemoveWindowSubclass(control, WatchControl, 0);
        if (services_ != nullptr) {
            services_->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, properties,
                                      static_cast<int>(std::size(properties)));
        }
    }
    watched_.clear();
    names_.clear();
    values_.clear();
}

}  // namespace quellmark::win32

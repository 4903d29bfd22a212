#include "accessible_texts.h"

#include <initguid.h>
#include <oleacc.h>

namespace quellmark::win32 {

AccessibleTexts::AccessibleTexts() {
    const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comStarted_ = SUCCEEDED(started);
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&services_)))) {
        services_ = nullptr;
    }
}

AccessibleTexts::~AccessibleTexts() {
    if (services_ != nullptr) {
        services_->Release();
    }
    if (comStarted_) {
        CoUninitialize();
    }
}

void AccessibleTexts::SetName(HWND control, const std::wstring& name) {
    if (services_ != nullptr) {
        services_->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME,
                                  name.c_str());
    }
    annotated_.insert(control);
}

void AccessibleTexts::SetValue(HWND control, const std::wstring& value) {
    auto [entry, added] = values_.try_emplace(control);
    if (!added && entry->second == value) {
        return;
    }
    entry->second = value;
    annotated_.insert(control);
    if (services_ != nullptr) {
        services_->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_VALUE,
                                  value.c_str());
    }
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

void AccessibleTexts::Clear() {
    const MSAAPROPID properties[] = {PROPID_ACC_NAME, PROPID_ACC_VALUE};
    for (const HWND control : annotated_) {
        if (services_ != nullptr) {
            services_->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, properties,
                                      static_cast<int>(std::size(properties)));
        }
    }
    annotated_.clear();
    values_.clear();
}

}  // namespace quellmark::win32

#pragma once

#include <windows.h>

#include <map>
#include <set>
#include <string>

struct IAccPropServices;

namespace quellmark::win32 {

// What screen readers read for a control, given to the system's accessibility layer as dynamic
// annotations: a control without a text of its own gets a name, a trackbar its panel's text as
// value. Without that layer (no COM, or annotations not supported) the controls keep what the
// system's own accessible objects say.
class AccessibleTexts {
public:
    AccessibleTexts();
    AccessibleTexts(const AccessibleTexts&) = delete;
    AccessibleTexts& operator=(const AccessibleTexts&) = delete;
    ~AccessibleTexts();

    void SetName(HWND control, const std::wstring& name);
    // Announces the new value to screen readers; a value that has not changed is not set again.
    void SetValue(HWND control, const std::wstring& value);
    // Drops every annotation, while the controls still exist.
    void Clear();

private:
    IAccPropServices* services_ = nullptr;
    bool comStarted_ = false;
    std::set<HWND> annotated_;
    std::map<HWND, std::wstring> values_;
};

}  // namespace quellmark::win32

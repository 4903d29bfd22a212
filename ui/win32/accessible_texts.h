#pragma once

#include <windows.h>

#include <map>
#include <set>
#include <string>

struct IAccPropServices;

namespace quellmark::win32 {

// What screen readers read for a control, given to the system's accessibility layer as dynamic
// annotations: a control without a text of its own gets a name, a trackbar its panel's text as
// value. COM and the annotation service are started only when a screen reader first asks the
// window or one of these controls for its accessible object (WM_GETOBJECT), which no start-up
// without a reader does; until then the texts are only kept. Without that layer (no COM, or
// annotations not supported) the controls keep what the system's own accessible objects say.
class AccessibleTexts {
public:
    AccessibleTexts() = default;
    AccessibleTexts(const AccessibleTexts&) = delete;
    AccessibleTexts& operator=(const AccessibleTexts&) = delete;
    ~AccessibleTexts();

    void SetName(HWND control, const std::wstring& name);
    // Announces the new value to screen readers; a value that has not changed is not set again.
    void SetValue(HWND control, const std::wstring& value);
    // Call on the window's WM_GETOBJECT; the controls given above are watched for theirs.
    void OnObjectRequested();
    // Drops every annotation and stops watching, while the controls still exist.
    void Clear();

private:
    static LRESULT CALLBACK WatchControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self);
    void Watch(HWND control);
    void Start();
    void Annotate(HWND control, const GUID& property, const std::wstring& text) const;

    bool started_ = false;
    bool comStarted_ = false;
    IAccPropServices* services_ = nullptr;
    std::set<HWND> watched_;
    std::map<HWND, std::wstring> names_;
    std::map<HWND, std::wstring> values_;
};

}  // namespace quellmark::win32

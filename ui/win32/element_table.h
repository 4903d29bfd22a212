#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "gain_view.h"
#include "window_table.h"

// The Win32 side of the window's element table: the control each kind of element becomes and
// the control IDs.
namespace quellmark::win32 {

// Control IDs in the order of WindowElements(). None is IDOK or IDCANCEL, so that Enter and
// Escape in a field press no button by accident.
enum class ControlId : int {
    None = 0,
    Frame1 = 100,
    Combo1,
    Label9,
    Text1,
    Command1,
    Command2,
    Command3,
    Frame2,
    Slider1,
    Label3,
    Label1,
    Label4,
    Label2,
    Frame3,
    Slider2,
    Label6,
    Label7,
    Label5,
    Label8,
};

// The window class and styles that an element of one kind is created with.
struct ControlClass {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle = 0;
};

ControlClass ClassFor(ElementKind kind);

inline int IdOf(ControlId id) {
    return static_cast<int>(id);
}

ControlId ControlNamed(std::string_view name);
ControlId ControlFor(Element element);

// The element of control `id`; null for a control that is none of the table's.
const ElementDescription* FindDescription(int id);
const ElementDescription& DescriptionOf(ControlId id);

// The geometry of `element` at 96 dpi in the window's client area: its parent's origin plus its
// own. A group box is no parent of its contents here; every control is a child of the window.
ElementGeometry ClientGeometry(const ElementDescription& element);

// The elements in the order the window creates them. Tab visits the controls in that order, so
// it follows their tab positions; each label stands right before the field it names, where
// screen readers look for a field's name.
std::vector<const ElementDescription*> CreationOrder();

}  // namespace quellmark::win32

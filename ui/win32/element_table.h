#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "gain_view.h"
#include "window_table.h"

// The Win32 side of the window's element table: the control each kind of element becomes and
// the control IDs.
namespace quellmark::win32 {

// The first control ID; the others follow in the order of WindowElements(). None is IDOK or
// IDCANCEL, so that Enter and Escape in a field press no button by accident.
inline constexpr int kFirstControlId = 100;

// The control ID of the element `name`, from its place in the table; a name that is none of the
// table's does not compile.
consteval int IdNamed(std::string_view name) {
    const int index = ElementIndex(name);
    if (index < 0) {
        throw "no such element";
    }
    return kFirstControlId + index;
}

enum class ControlId : int {
    None = 0,
    Frame1 = IdNamed("Frame1"),
    Combo1 = IdNamed("Combo1"),
    Label9 = IdNamed("Label9"),
    Text1 = IdNamed("Text1"),
    Command1 = IdNamed("Command1"),
    Command2 = IdNamed("Command2"),
    Command3 = IdNamed("Command3"),
    Frame2 = IdNamed("Frame2"),
    Slider1 = IdNamed("Slider1"),
    Label3 = IdNamed("Label3"),
    Label1 = IdNamed("Label1"),
    Label4 = IdNamed("Label4"),
    Label2 = IdNamed("Label2"),
    Frame3 = IdNamed("Frame3"),
    Slider2 = IdNamed("Slider2"),
    Label6 = IdNamed("Label6"),
    Label7 = IdNamed("Label7"),
    Label5 = IdNamed("Label5"),
    Label8 = IdNamed("Label8"),
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

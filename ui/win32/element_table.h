#pragma once

#include <windows.h>

#include <span>

#include "gain_view.h"

namespace quellmark::win32 {

// Control IDs of the window's elements. None is IDOK or IDCANCEL, so that Enter and Escape in a
// field press no button by accident.
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

// Position and size in pixels.
struct Geometry {
    int x;
    int y;
    int width;
    int height;
};

// One element: its window class and styles, the frame it belongs to, and its geometry at 96 dpi
// relative to that frame (to the window's client area for ControlId::None).
struct ElementLayout {
    ControlId id;
    ControlId frame;
    const wchar_t* windowClass;
    DWORD style;
    Geometry geometry;
    const wchar_t* caption;
    DWORD exStyle = 0;
};

// Every element in creation order, which is also the order in which Tab visits the focusable ones.
std::span<const ElementLayout> Elements();

const ElementLayout& ElementOf(ControlId id);

// The geometry of `element` at 96 dpi in the window's client area: its frame's origin plus its own.
Geometry ClientGeometry(const ElementLayout& element);

ControlId ControlFor(Element element);

inline int IdOf(ControlId id) {
    return static_cast<int>(id);
}

}  // namespace quellmark::win32

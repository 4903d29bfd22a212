#pragma once

#include <span>
#include <string_view>

#include "gain_view.h"

// The window described once, for each front end to build itself from, mapping every kind of
// element to a control of its own.
namespace quellmark {

enum class ElementKind {
    Frame,         // a group box titled with its caption
    DropDownList,  // selection only
    Label,
    TextField,  // one line
    Button,
    WrappingButton,  // a push button whose caption wraps onto further lines
    Slider,          // vertical, its minimum at the top
};

// In pixels at the reference size (96 dpi, the usual 9 pt font); x and y relative to the parent.
struct ElementGeometry {
    int x;
    int y;
    int width;
    int height;
};

struct SliderRange {
    int minimum;
    int maximum;
};

inline constexpr std::string_view kWindowTitle = "Quellmark";
// The client area at the reference size.
inline constexpr int kWindowWidth = 514;
inline constexpr int kWindowHeight = 491;

struct ElementDescription {
    std::string_view name;
    ElementKind kind;
    std::string_view parent;  // empty: the window
    ElementGeometry geometry;
    std::string_view caption;  // as created; start-up sets the rest
    int tabPosition = 0;       // Tab visits 1, 2, ... in turn; 0: never
    // The element that screen readers name by this one's caption.
    std::string_view names = {};
    SliderRange range = {};
};

// Every element, each after its parent.
std::span<const ElementDescription> WindowElements();

std::string_view ElementName(Element element);
std::string_view ElementName(Slider slider);

}  // namespace quellmark

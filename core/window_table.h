#pragma once

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

#include "gain_scale.h"
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

namespace window_table {

using enum ElementKind;

inline constexpr std::array<ElementDescription, 7> kInterfaceElements{{
    {"Frame1", Frame, "", {8, 8, 129, 105}, "Schnittstelle"},
    {"Combo1", DropDownList, "Frame1", {8, 16, 113, 21}, "", 1},
    {"Label9", Label, "Frame1", {8, 40, 81, 19}, "Kanal Nr.", 0, "Text1"},
    {"Text1", TextField, "Frame1", {88, 40, 33, 19}, "A", 5},
    {"Command1", Button, "Frame1", {8, 64, 113, 33}, "", 2},
    {"Command2", WrappingButton, "", {16, 120, 113, 33}, "Aktuelle Werte auslesen", 6},
    {"Command3", WrappingButton, "", {16, 160, 113, 33}, "Einstellungen Speichern", 7},
}};

// The names of a gain panel's elements: its frame, its slider, and the captions and values of
// the gain and value rows below the slider.
struct PanelNames {
    std::string_view frame;
    std::string_view slider;
    std::string_view gainCaption;
    std::string_view gain;
    std::string_view valueCaption;
    std::string_view value;
};

// The TX and RX panels differ only in names, title, place, tab position and range.
constexpr std::array<ElementDescription, 6> GainPanel(const PanelNames& names, int x,
                                                      std::string_view title, int tabPosition,
                                                      SliderRange range) {
    return {{
        {names.frame, Frame, "", {x, 8, 177, 473}, title, 0, names.slider},
        {names.slider,
         ElementKind::Slider,
         names.frame,
         {8, 16, 41, 449},
         "",
         tabPosition,
         "",
         range},
        {names.gainCaption, Label, names.frame, {48, 424, 49, 17}, "Gain : "},
        {names.gain, Label, names.frame, {96, 424, 73, 17}, ""},
        {names.valueCaption, Label, names.frame, {48, 440, 49, 17}, "Value : "},
        {names.value, Label, names.frame, {96, 440, 73, 17}, ""},
    }};
}

template <std::size_t... Sizes>
constexpr auto Joined(const std::array<ElementDescription, Sizes>&... parts) {
    std::array<ElementDescription, (Sizes + ...)> all{};
    auto next = all.begin();
    ((next = std::ranges::copy(parts, next).out), ...);
    return all;
}

inline constexpr auto kElements =
    Joined(kInterfaceElements,
           GainPanel({"Frame2", "Slider1", "Label3", "Label1", "Label4", "Label2"}, 144, "TX Gain",
                     3, {GainScale::kTxPositionMin, GainScale::kTxPositionMax}),
           GainPanel({"Frame3", "Slider2", "Label6", "Label7", "Label5", "Label8"}, 328, "RX Gain",
                     4, {GainScale::kRxPositionMin, GainScale::kRxPositionMax}));

}  // namespace window_table

// Every element, each after its parent.
constexpr std::span<const ElementDescription> WindowElements() {
    return window_table::kElements;
}

// Where the element `name` stands in WindowElements(); -1 for a name that is none of them.
constexpr int ElementIndex(std::string_view name) {
    const auto elements = WindowElements();
    const auto element = std::ranges::find(elements, name, &ElementDescription::name);
    return element == elements.end() ? -1 : static_cast<int>(element - elements.begin());
}

std::string_view ElementName(Element element);
std::string_view ElementName(Slider slider);

}  // namespace quellmark

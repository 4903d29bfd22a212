#include "window_table.h"

#include <algorithm>
#include <array>
#include <utility>

#include "gain_scale.h"

namespace quellmark {

namespace {

using enum ElementKind;

constexpr std::array<ElementDescription, 7> kInterfaceElements{{
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

constexpr auto kElements =
    Joined(kInterfaceElements,
           GainPanel({"Frame2", "Slider1", "Label3", "Label1", "Label4", "Label2"}, 144, "TX Gain",
                     3, {GainScale::kTxPositionMin, GainScale::kTxPositionMax}),
           GainPanel({"Frame3", "Slider2", "Label6", "Label7", "Label5", "Label8"}, 328, "RX Gain",
                     4, {GainScale::kRxPositionMin, GainScale::kRxPositionMax}));

using ElementAndName = std::pair<Element, std::string_view>;
constexpr ElementAndName kElementNames[] = {
    {Element::Text1, "Text1"},       {Element::Command1, "Command1"},
    {Element::Command2, "Command2"}, {Element::Command3, "Command3"},
    {Element::Frame2, "Frame2"},     {Element::Frame3, "Frame3"},
    {Element::Label1, "Label1"},     {Element::Label2, "Label2"},
    {Element::Label7, "Label7"},     {Element::Label8, "Label8"},
};

}  // namespace

std::span<const ElementDescription> WindowElements() {
    return kElements;
}

std::string_view ElementName(Element element) {
    return std::ranges::find(kElementNames, element, &ElementAndName::first)->second;
}

// Qualified: ElementKind::Slider is in scope here.
std::string_view ElementName(quellmark::Slider slider) {
    return slider == quellmark::Slider::Slider1 ? "Slider1" : "Slider2";
}

}  // namespace quellmark

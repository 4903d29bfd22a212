#include "window_table.h"

#include <algorithm>
#include <utility>

namespace quellmark {

namespace {

using ElementAndName = std::pair<Element, std::string_view>;
constexpr ElementAndName kElementNames[] = {
    {Element::Text1, "Text1"},       {Element::Command1, "Command1"},
    {Element::Command2, "Command2"}, {Element::Command3, "Command3"},
    {Element::Frame2, "Frame2"},     {Element::Frame3, "Frame3"},
    {Element::Label1, "Label1"},     {Element::Label2, "Label2"},
    {Element::Label7, "Label7"},     {Element::Label8, "Label8"},
};

}  // namespace

std::string_view ElementName(Element element) {
    return std::ranges::find(kElementNames, element, &ElementAndName::first)->second;
}

// Qualified: ElementKind::Slider is in scope here.
std::string_view ElementName(quellmark::Slider slider) {
    return slider == quellmark::Slider::Slider1 ? "Slider1" : "Slider2";
}

}  // namespace quellmark

#pragma once

#include <map>
#include <string>

#include "gain_view.h"

namespace quellmark::testing {

// Every element, under the name of the widget it stands for.
inline const std::map<Element, std::string> kElementNames = {
    {Element::Text1, "Text1"},       {Element::Command1, "Command1"},
    {Element::Command2, "Command2"}, {Element::Command3, "Command3"},
    {Element::Frame2, "Frame2"},     {Element::Frame3, "Frame3"},
    {Element::Label1, "Label1"},     {Element::Label2, "Label2"},
    {Element::Label7, "Label7"},     {Element::Label8, "Label8"}};

inline const std::string& NameOf(Element element) {
    return kElementNames.at(element);
}

}  // namespace quellmark::testing

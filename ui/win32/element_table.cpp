#include "element_table.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

namespace quellmark::win32 {

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;

// Where the element stands in the creation order: at its own tab position, at that of the
// element it names, else right after the element before it in the table.
std::vector<int> CreationKeys(std::span<const ElementDescription> elements) {
    std::vector<int> keys;
    for (const ElementDescription& element : elements) {
        int key = keys.empty() ? 0 : keys.back();
        if (element.tabPosition > 0) {
            key = element.tabPosition;
        } else if (!element.names.empty()) {
            key = DescriptionOf(ControlNamed(element.names)).tabPosition;
        }
        keys.push_back(key);
    }
    return keys;
}

}  // namespace

ControlClass ClassFor(ElementKind kind) {
    switch (kind) {
        case ElementKind::Frame:
            return {L"BUTTON", kChild | BS_GROUPBOX};
        case ElementKind::DropDownList:
            return {WC_COMBOBOXW, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST};
        case ElementKind::Label:
            return {L"STATIC", kChild | SS_LEFT | SS_NOPREFIX};
        case ElementKind::TextField:
            return {L"EDIT", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ElementKind::Button:
        // The window draws the wrapped caption.
        case ElementKind::WrappingButton:
            return {L"BUTTON", kButton};
        case ElementKind::Slider:
            return {TRACKBAR_CLASSW, kChild | WS_TABSTOP | TBS_VERT | TBS_BOTH | TBS_NOTICKS};
    }
    throw std::out_of_range("no such kind of element");
}

ControlId ControlNamed(std::string_view name) {
    const int index = ElementIndex(name);
    if (index < 0) {
        throw std::out_of_range("no such element");
    }
    return static_cast<ControlId>(kFirstControlId + index);
}

ControlId ControlFor(Element element) {
    return ControlNamed(ElementName(element));
}

const ElementDescription* FindDescription(int id) {
    const auto elements = WindowElements();
    const int index = id - kFirstControlId;
    return index >= 0 && index < static_cast<int>(elements.size()) ? &elements[index] : nullptr;
}

const ElementDescription& DescriptionOf(ControlId id) {
    const ElementDescription* element = FindDescription(IdOf(id));
    if (element == nullptr) {
        throw std::out_of_range("no such element");
    }
    return *element;
}

ElementGeometry ClientGeometry(const ElementDescription& element) {
    ElementGeometry geometry = element.geometry;
    if (!element.parent.empty()) {
        const ElementGeometry parent = ClientGeometry(DescriptionOf(ControlNamed(element.parent)));
        geometry.x += parent.x;
        geometry.y += parent.y;
    }
    return geometry;
}

std::vector<const ElementDescription*> CreationOrder() {
    const auto elements = WindowElements();
    const std::vector<int> keys = CreationKeys(elements);
    std::vector<const ElementDescription*> order;
    for (const ElementDescription& element : elements) {
        order.push_back(&element);
    }
    std::ranges::stable_sort(order, {}, [&](const ElementDescription* element) {
        return keys[static_cast<std::size_t>(element - elements.data())];
    });
    return order;
}

}  // namespace quellmark::win32
